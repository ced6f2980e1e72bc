#pragma once

#include "CortadorFluxo.h"
#include "Espera.h"
#include "PosicaoPainel.h"
#include "Reacao.h"
#include "RegistroAviso.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTcpSocket;
class TelaCadastro;
class TelaJogo;
class TelaLogin;
class TelaSalas;

// The main window. Its load starts the program and its unload ends it; it owns the four screens,
// the chat, the socket and the receive path, and every server command is routed here to a
// reaction named after it. Its parts live in client/forma/, one file per concern; the screens and
// dialogs it owns (client/lobby/, client/table/) never call back into it.
class frmCliente : public QWidget
{
    Q_OBJECT

public:
    static constexpr quint16 kPortaServidor = 33500;
    static constexpr char kHostPadrao[] = "localhost";

    // argumentos: the command line after the program's name, handed on unchanged to the updater.
    // porta: the server's port; tests point the client at a server of their own.
    explicit frmCliente(const QStringList& argumentos, quint16 porta = kPortaServidor,
                        QWidget* pai = nullptr);
    ~frmCliente() override;

    // The load: prepares the fields and the shared variables, connects and asks for the version.
    // Ends with Espera::Encerrando() set when there is no server.
    void Form_Load();
    // The unload: sets Encerrando, releases what the window owns, closes it and leaves the
    // application's event loop. Runs once.
    void Form_Unload();

    void MudarFrame(QWidget* Destino);

    // The shared variables. Reading a key never written throws std::out_of_range; writing never
    // throws, and writing "Vez" or "Fim" updates the table.
    QString Variaveis(const QString& chave) const;
    void SetVariaveis(const QString& chave, const QString& valor);

    // Flashes the window unless it is the active one.
    void PedirAtencao();

    // The server host named by a command line: "servidor", one separator, then the host.
    static QString HostDoServidor(const QString& linhaDeComando);

    // What a reaction co_awaits to wait without nesting an event loop: it goes on at once when
    // pronto() already holds, otherwise when VerificarReacaoEmEspera() finds that it does (or the
    // program is closing). The messages behind it wait in the buffer.
    struct Retomada
    {
        frmCliente* janela;
        std::function<bool()> pronto;

        bool await_ready() const { return Espera::Encerrando() || pronto(); }
        void await_suspend(std::coroutine_handle<>) { janela->m_prontoParaRetomar = pronto; }
        void await_resume() const {}
    };
    Retomada AguardarAte(std::function<bool()> pronto) { return {this, std::move(pronto)}; }

    TelaLogin* frLogin;
    TelaCadastro* frCadastro;
    TelaSalas* frSalas;
    TelaJogo* frJogo;
    QWidget* FrameAtual = nullptr;

    QPlainTextEdit* txChat;
    QLineEdit* txFalar;
    QPushButton* btEnviar;
    QPushButton* btFechar;
    QPushButton* btMinimizar;

    QTcpSocket* Sock;

    RegistroAviso AvisoJanela;
    // Where a played card lands, per screen position: 4170 + 600 * X, 3180 + 600 * Y twips.
    std::array<qint16, 4> CartaDeslocX{};
    std::array<qint16, 4> CartaDeslocY{};
    std::array<PosicaoPainel, 4> PainelPosicoes{};

signals:
    // A message was routed to its reaction and the reaction returned. Tests wait on it instead
    // of polling what the reaction changed.
    void Tratada(const QByteArray& comando);

protected:
    void closeEvent(QCloseEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

public slots:
    // A room the player created: he sits at its table as its host (frmCriarSala's Criada).
    void SentarComoAnfitriao(const QString& nomeNaMesa);
    // Resumes the suspended reaction if what it waits for holds, then the messages behind it.
    // Whatever can end a wait calls it (the end of an animation, the program closing).
    void VerificarReacaoEmEspera();

private slots:
    void Sock_DataArrival();
    void Sock_Perdida();
    void btFechar_Click();
    void btMinimizar_Click();

    // Login and sign-up (frmClienteConta.cpp).
    void btLgOK_Click();
    void btLgCriarConta_Click();
    void btCdOk_Click();
    void btCdCancelar_Click();

    // Lobby actions (frmClienteSalas.cpp).
    void btSlEntrar_Click();
    void btSlCriarSala_Click();
    void btSlImagem_Click();
    void btEnviar_Click();
    void txChat_Change();

    // Seats and cards (frmClienteMesa.cpp).
    void pbJgJogador_Click(int Index);
    void pbJgCarta_MouseDown(int Index, Qt::MouseButton Button);

    // Table commands (frmClienteComandos.cpp).
    void btJgIniciarJogo_Click();
    void btJgTruco_Click();
    void btJgAceitar_Click();
    void btJgRecusar_Click();
    void btJgSair_Click();

private:
    void MontarTelas();

    // The connection (frmClienteConexao.cpp). Each connection gets a socket of its own, so
    // nothing the last one still holds or signals reaches the next.
    QTcpSocket* NovoSocket();
    // Binds the message builder, connects and asks for the version. False when no server
    // answered or the program is closing.
    bool Conectar();
    // Conectar, unless connected, with tela disabled meanwhile; tells the player when there is
    // no server.
    bool GarantirConexao(QWidget* tela);
    // Drops the connection and all its stream left behind: pending bytes, the last message
    // parsed, a suspended reaction, the waits for its answers, the shared variables (back to
    // their start values).
    void FecharConexao();
    // The connection is gone: aviso shown, the player back at the login screen with his login
    // filled in; the next "OK" connects again.
    void VoltarAoLogin(const QString& aviso);
    // The start values of the shared variables, and no other key.
    void EscreverValoresIniciais();
    // Shows aviso, then enables tela again and puts the focus in foco: a request has stopped.
    void DevolverTela(QWidget* tela, QWidget* foco, const QString& aviso);
    void DefinirBotaoPadrao(QPushButton* botao);
    // Closing the window is the one way out of a running game: the player confirms it first.
    bool ConfirmarSaida();
    void PiscarJanela();
    void AtualizarVez(const QString& valor);
    // The truco button shows exactly when it is the local player's turn, his team did not make
    // the last call of the hand, and the hand is no hand of eleven.
    void AplicarRegraTruco();
    // Keys 1, 2, 3 (Shift: face down), T, A and R at the table: the same handlers as the mouse;
    // Escape takes the keys from the chat back to the table.
    bool TeclaDaMesa(QKeyEvent* evento);
    // The table's keys in its buttons' tips; a click on the felt gives the keys back to it.
    void PrepararTeclas();

    // "Hosting" read as the table's clicks and screen changes need it: a value that is no Boolean,
    // or none yet, is no host, so that none of them fails.
    bool Anfitriao() const;
    // What writing "Vez" or "Fim" does beyond storing the value.
    void DepoisDeEscrever(const QString& chave, const QString& valor);

    // The receive path (frmClienteRecepcao.cpp).
    void ProcessarMensagens();
    void Despachar();
    void RelatarErro(const QString& descricao);
    void IniciarAtualizador();
    // Argument i of the message being handled, as bytes and as text. An argument beyond the
    // message's own count throws: the parser keeps the slots of an earlier message, and a reply
    // must never read those.
    QByteArray ArgBytes(quint8 i) const;
    QString ArgTexto(quint8 i) const;
    // Argument i as a whole number; one that is no number throws.
    qint32 ArgNumero(quint8 i) const;

    // Replies handled by the receive path itself.
    void utVer();
    void erCNC();
    void erEnt();
    void erCmJ();
    void okAcc();
    void okEnt();
    void Setar();

    // Lobby updates (frmClienteSalas.cpp).
    void imLoc();
    void slInf();
    void hlInf();
    void slMsg();

    // Game flow, truco and the hand of eleven (frmClienteJogo.cpp).
    Reacao cmJog();
    Reacao cmPrt();
    Reacao cmM11();
    void esM11();
    void Carta();
    void prFim();
    Reacao rdFim();
    void Truco();
    void tcAct();
    void jgInf();
    Reacao jgFim();
    // The deal shared by "cmPrt" and "cmM11": cards 1 to 13 from the deck to their homes in
    // batches of three; then, for a hand of eleven, the deciding team gets its two buttons.
    Reacao Distribuir(qint32 equipeQueDecide);
    // Suspends the reaction until no move of grupo is left (none at all for an empty name).
    Retomada AguardarMovimentos(const QString& grupo);
    // No card is played while a reaction holds the messages behind it: the turn they bring (a new
    // trick, a new hand) is not known yet. The click and the key both ask here.
    bool PodeJogarCarta() const;
    // The turn came while the card the player sent was not yet named: the server refused it, and
    // it goes back to the hand.
    void DevolverCartaEnviada();
    // A room entered or created starts from the waiting table, whatever the last one left.
    void MesaDeEspera();
    // A game message for a table the player has left: it changes nothing.
    bool DeMesaDeixada(QByteArrayView comando) const;

    QStringList m_argumentos;
    quint16 m_porta;
    QPushButton* m_botaoPadrao = nullptr;

    // The largest message the server sends is a few kilobytes (a room list, a picture); a length
    // field above this is a fault reported at once rather than waited for.
    static constexpr qint32 kLimiteMensagem = 1 << 20;
    // While a reaction waits (an animation of a few seconds) the server sends a few kilobytes;
    // holding more than this is refused too.
    static constexpr qint64 kLimiteEmEspera = 16 * kLimiteMensagem;
    // Bytes received and not yet handled, kept between passes.
    CortadorFluxo BufferRecepcao{kLimiteMensagem};
    // The key of the last "Setar", kept so that its buffer is reused.
    QString m_chaveSetar;
    // The argument count of the message being handled, as it came.
    quint8 m_contagem = 0;
    // A pass is running, or waits in a suspended reaction: a pass started meanwhile only appends
    // its bytes.
    bool m_emPassagem = false;
    // The reaction that waits, what it waits for, and its command (for Tratada when it ends).
    Reacao m_reacaoEmEspera;
    std::function<bool()> m_prontoParaRetomar;
    QByteArray m_comandoEmEspera;
    bool m_conectado = false;
    // The connection dropped while a pass ran; reported when it ends.
    bool m_perdaPendente = false;
    bool m_descarregado = false;
};
