#pragma once

#include "CortadorFluxo.h"
#include "PosicaoPainel.h"
#include "RegistroAviso.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>
#include <array>

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
// reaction named after it. The reactions of the lobby live in client/lobby/, those of the game in
// client/table/.
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

private slots:
    void Sock_DataArrival();
    void Sock_Perdida();
    void btFechar_Click();
    void btMinimizar_Click();

    // Login and sign-up (client/lobby/frmClienteConta.cpp).
    void btLgOK_Click();
    void btLgCriarConta_Click();
    void btCdOk_Click();
    void btCdCancelar_Click();

    // Lobby actions (client/lobby/frmClienteSalas.cpp).
    void btSlEntrar_Click();
    void btSlCriarSala_Click();
    void btSlImagem_Click();
    void btEnviar_Click();
    void txChat_Change();

    // Table commands (client/table/frmClienteComandos.cpp).
    void btJgIniciarJogo_Click();
    void btJgTruco_Click();
    void btJgAceitar_Click();
    void btJgRecusar_Click();
    void btJgSair_Click();

private:
    void MontarTelas();
    // Shows aviso, then enables tela again and puts the focus in foco: a request has stopped.
    void DevolverTela(QWidget* tela, QWidget* foco, const QString& aviso);
    void DefinirBotaoPadrao(QPushButton* botao);
    void PiscarJanela();
    void AtualizarVez(const QString& valor);

    // The receive path (frmClienteRecepcao.cpp).
    void Despachar();
    void RelatarErro(const QString& descricao);
    void IniciarAtualizador();
    // Argument i of the message being handled, as bytes and as text. An argument beyond the
    // message's own count throws: the parser keeps the slots of an earlier message, and a reply
    // must never read those.
    QByteArray ArgBytes(quint8 i) const;
    QString ArgTexto(quint8 i) const;

    // Replies handled by the receive path itself.
    void utVer();
    void erCNC();
    void erEnt();
    void erCmJ();
    void okAcc();
    void okEnt();
    void Setar();

    // Lobby updates (client/lobby/frmClienteSalas.cpp).
    void imLoc();
    void slInf();
    void hlInf();
    void slMsg();

    // Game flow, truco and the hand of eleven (client/table/frmClienteJogo.cpp).
    void cmJog();
    void cmPrt();
    void cmM11();
    void esM11();
    void Carta();
    void prFim();
    void rdFim();
    void Truco();
    void tcAct();
    void jgInf();
    void jgFim();

    QStringList m_argumentos;
    quint16 m_porta;
    QPushButton* m_botaoPadrao = nullptr;

    // Bytes received and not yet handled, kept between passes.
    CortadorFluxo BufferRecepcao;
    // The argument count of the message being handled, as it came.
    quint8 m_contagem = 0;
    // A pass is running: a pass started inside one of its reactions only appends its bytes.
    bool m_emPassagem = false;
    bool m_conectado = false;
    // The connection dropped while a pass ran; reported when it ends.
    bool m_perdaPendente = false;
    bool m_descarregado = false;
};
