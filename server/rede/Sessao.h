#pragma once

#include "CortadorFluxo.h"
#include "MensagemRecebida.h"
#include "Participante.h"

#include <QObject>
#include <deque>
#include <functional>

class QAbstractSocket;
class QIODevice;

// One connection: its own receive buffer with a cap on message size, the account it logged in
// with, and the way out to the peer. Bytes come in through Receber; the server feeds it from the
// socket, the fuzzer straight from its input.
class Sessao : public QObject, public Participante
{
    Q_OBJECT
public:
    // A picture message is 7817 bytes; nothing a client sends comes near this.
    static constexpr qint32 kLimiteMensagem = 32 * 1024;
    // A peer that leaves this much unread is not reading at all: lists and chat lines do not pile
    // up (see Enfileirar), so a client that reads never comes near it.
    static constexpr qint64 kLimiteSaida = 4 * 1024 * 1024;
    // Past this much waiting, the oldest chat lines to this peer are dropped.
    static constexpr qint64 kAtrasoConversa = 64 * 1024;
    // Messages handled in one go; the rest of a burst waits for the next pass of the event loop,
    // so that a flood from one peer does not hold up everyone else.
    static constexpr int kMensagensPorVez = 64;

    using Tratador = std::function<void(Sessao&, const MensagemRecebida&)>;

    Sessao(quint64 id, QIODevice* saida, Tratador tratador, QObject* parent = nullptr);

    quint64 Id() const { return m_id; }
    QString Descricao() const { return m_descricao; }
    void SetDescricao(const QString& d) { m_descricao = d; }
    // The peer's address: password checks wait in line and are throttled by it.
    QString Endereco() const { return m_endereco; }
    void SetEndereco(const QString& e) { m_endereco = e; }

    void Receber(const QByteArray& bytes);

    // While a slow job (a password hash) runs for this session, its later messages wait in the
    // buffer, so they are handled in order once it ends.
    void SetOcupada(bool ocupada);
    // Also while it waits for its next turn after a long burst.
    bool Ocupada() const { return m_ocupada || m_pausada; }
    bool Encerrada() const { return m_encerrada; }

    bool Logada() const { return m_idConta != 0; }
    qint64 IdConta() const { return m_idConta; }
    void Logar(qint64 idConta, const QString& login, const QByteArray& foto);
    void SetFoto(const QByteArray& foto) { m_foto = foto; }

    QString Login() const override { return m_login; }
    QByteArray Foto() const override { return m_foto; }
    void EnviarMensagem(const QByteArray& mensagem) override;
    // Bytes written but not yet taken by the peer.
    qint64 Pendente() const;
    // What the waiting output costs in memory: lists and chat lines are built once for everyone,
    // so each peer pays only its place in line for them.
    qint64 Custo() const;
    // Output has waited for semLerMs without the peer taking a byte, and the kernel has no room.
    bool ParouDeLer(qint64 semLerMs);
    // Monotonic milliseconds, the clock of ParouDeLer.
    static qint64 AgoraMs();

    // Chat lines: a burst of rajada, then one line a second; true when this one may go out.
    bool PodeConversar(qint64 agoraMs, int rajada);
    qint64 CriadaEm() const { return m_criadaEm; }
    void SetCriadaEm(qint64 ms) { m_criadaEm = ms; }
    // Gives up on the peer (the server's limits): the same way out as a broken format.
    void Derrubar(const QString& motivo) { Encerrar(motivo); }

    // Relaying: with a desvio, what the peer sends goes there as it came, uncut (also what came
    // after the message being handled), until the desvio is taken away. EnviarBytes sends bytes
    // of another process' stream as they are, in line with the rest.
    using Desvio = std::function<void(const QByteArray&)>;
    void Desviar(Desvio desvio);
    void EnviarBytes(const QByteArray& bytes);
    // A player relayed here from another process, which holds his login.
    bool Retransmitida() const { return m_retransmitida; }
    void SetRetransmitida(bool r) { m_retransmitida = r; }
    // Closes the connection once what waits for the peer has gone out.
    void Fechar();

signals:
    // The peer broke the format or stopped reading: the connection must go. Emitted once.
    void encerrar(const QString& motivo);
    // The session takes input again after a slow job.
    void desocupada();

private:
    void Processar();
    void Encerrar(const QString& motivo);
    // What kind of message waits in line: a newer list replaces one not yet sent, and chat lines
    // are what a peer far behind loses first.
    enum class Tipo : quint8
    {
        Outra,
        ListaSalas,
        ListaJogadores,
        Conversa
    };
    struct Saida
    {
        QByteArray bytes; // empty: replaced or dropped, skipped when sending
        Tipo tipo;
    };
    void Enfileirar(const QByteArray& mensagem, bool bruta = false);
    // Drops the message at that place in line (a sequence number), if it is still waiting.
    void Descartar(quint64 seq);
    // Sends the line to the kernel; what the kernel does not take waits in Qt's buffer (one
    // message at most, so that the rest can still be replaced), whose draining calls back here.
    void Bombear();
    void TirarDaFrente();
    // Sends what the sessions gathered: the answers, then a slice of the others.
    static void Esvaziar();
    static void PedirEsvaziar();

    quint64 m_id;
    QIODevice* m_saida;
    // m_saida when it is a socket (looked up once: it is asked on every message).
    QAbstractSocket* m_socket;
    Tratador m_tratador;
    CortadorFluxo m_cortador{kLimiteMensagem};
    QString m_descricao;
    QString m_endereco;
    bool m_ocupada = false;
    bool m_pausada = false;
    bool m_encerrada = false;
    bool m_processando = false;
    bool m_retransmitida = false;
    bool m_fechando = false;
    Desvio m_desvio;
    qint64 m_idConta = 0;
    QString m_login;
    QByteArray m_foto;
    qint64 m_criadaEm = 0;
    // Messages not yet handed to the kernel, oldest first; the sequence number of the first, the
    // bytes and the cost of the line, where each list waits and the chat lines in order.
    std::deque<Saida> m_fila;
    quint64 m_seqFrente = 0;
    qint64 m_bytesNaFila = 0;
    qint64 m_custoNaFila = 0;
    quint64 m_seqLista[2] = {~0ULL, ~0ULL};
    std::deque<quint64> m_seqConversas;
    // Since when output has waited without the peer taking any of it.
    qint64 m_esperaDesde = 0;
    // In which lines of Esvaziar.
    bool m_naFila = false;
    bool m_respondendo = false;
    // Token bucket of chat lines, in thousandths of a line.
    qint64 m_fichasChat = -1;
    qint64 m_chatEm = 0;
};
