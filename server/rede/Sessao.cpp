#include "Sessao.h"

#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "LacoEpoll.h"

#include <QAbstractSocket>
#include <QCoreApplication>
#include <QIODevice>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>

Sessao::Sessao(quint64 id, QIODevice* saida, Tratador tratador, QObject* parent)
    : QObject(parent), m_id(id), m_saida(saida), m_socket(qobject_cast<QAbstractSocket*>(saida)),
      m_tratador(std::move(tratador))
{
    // Qt's buffer holds a message the kernel did not take; once the peer has read it, the line
    // goes on.
    if (m_socket)
        connect(m_socket, &QAbstractSocket::bytesWritten, this, [this] {
            m_esperaDesde = AgoraMs();
            if (m_socket->bytesToWrite() == 0)
                Bombear();
        });
}

void Sessao::Receber(const QByteArray& bytes)
{
    if (m_encerrada || m_fechando)
        return;
    if (m_desvio) {
        m_desvio(bytes);
        return;
    }
    m_cortador.Acrescentar(bytes);
    Processar();
}

void Sessao::Desviar(Desvio desvio)
{
    m_desvio = std::move(desvio);
    // What came after the message that asked for it goes the same way; Processar stops there.
    if (m_desvio && m_cortador.Pendentes() > 0)
        m_desvio(m_cortador.TirarPendentes());
}

void Sessao::Fechar()
{
    if (!m_socket)
        return;
    // Nothing more is taken from the peer. What waits goes out at the end of this pass; Qt then
    // sends its own buffer before it closes.
    m_fechando = true;
    QTimer::singleShot(0, this, [this] {
        if (m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->disconnectFromHost();
    });
}

void Sessao::SetOcupada(bool ocupada)
{
    m_ocupada = ocupada;
    if (!ocupada && !m_encerrada) {
        Processar();
        if (!Ocupada() && !m_encerrada)
            emit desocupada();
    }
}

void Sessao::Processar()
{
    // A handler may end the slow job of this very session and come back here; the outer loop
    // goes on with the buffer.
    if (m_processando)
        return;
    m_processando = true;
    int tratadas = 0;
    try {
        while (!m_ocupada && !m_encerrada && !m_desvio && !m_fechando) {
            if (tratadas == kMensagensPorVez && m_cortador.Pendentes() > 0) {
                if (!m_pausada) {
                    m_pausada = true;
                    QMetaObject::invokeMethod(
                        this,
                        [this] {
                            m_pausada = false;
                            SetOcupada(m_ocupada);
                        },
                        Qt::QueuedConnection);
                }
                break;
            }
            const std::optional<QByteArray> bruta = m_cortador.Proxima();
            if (!bruta)
                break;
            ++tratadas;
            const std::optional<MensagemRecebida> m = MensagemRecebida::Ler(*bruta);
            if (!m) {
                Encerrar(QStringLiteral("mensagem malformada (comando \"%1\", %2 bytes)")
                             .arg(QString::fromLatin1(bruta->mid(4, 5).toPercentEncoding()))
                             .arg(bruta->size()));
                break;
            }
            m_tratador(*this, *m);
        }
    } catch (const ErroProtocolo& e) {
        Encerrar(QString::fromUtf8(e.what()));
    }
    m_processando = false;
}

void Sessao::Encerrar(const QString& motivo)
{
    if (m_encerrada)
        return;
    m_encerrada = true;
    m_cortador.Limpar();
    emit encerrar(motivo);
}

void Sessao::Logar(qint64 idConta, const QString& login, const QByteArray& foto)
{
    m_idConta = idConta;
    m_login = login;
    m_foto = foto;
}

namespace {
// Sessions with bytes gathered in this pass of the event loop, sent together at its end: first
// those that answer their own command, then the others in order, a slice per pass. A broadcast to
// thousands so goes out over several passes, and whoever asks meanwhile is answered in the next.
std::vector<QPointer<Sessao>> g_respostas;
std::deque<QPointer<Sessao>> g_aEsvaziar;
bool g_esvaziarPedido = false;
constexpr int kEsvaziarPorPassagem = 500;
} // namespace

void Sessao::PedirEsvaziar()
{
    if (g_esvaziarPedido)
        return;
    g_esvaziarPedido = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &Sessao::Esvaziar,
                              Qt::QueuedConnection);
}

void Sessao::EnviarBytes(const QByteArray& bytes)
{
    if (m_encerrada || !m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    Enfileirar(bytes, true);
    if (!m_naFila) {
        m_naFila = true;
        g_aEsvaziar.emplace_back(this);
    }
    PedirEsvaziar();
}

void Sessao::EnviarMensagem(const QByteArray& mensagem)
{
    if (m_encerrada || !m_saida)
        return;
    // A socket already gone takes nothing: its bytes would only wait in memory for nobody.
    const QAbstractSocket* socket = m_socket;
    if (socket && (socket->state() != QAbstractSocket::ConnectedState ||
                   LacoEpoll::PeerFechou(socket->socketDescriptor())))
        return;
    if (!socket || !QCoreApplication::instance()) {
        m_saida->write(mensagem);
        return;
    }
    Enfileirar(mensagem);
    if (m_encerrada)
        return;
    // The messages of one pass of the event loop go out in one send at its end: a move is a
    // dozen small messages to each player, and each send over TCP costs the kernel the same
    // work whatever its size.
    if (!m_naFila) {
        m_naFila = true;
        g_aEsvaziar.emplace_back(this);
    }
    // Handling his own command, or the end of his slow job.
    if ((m_processando || m_ocupada) && !m_respondendo) {
        m_respondendo = true;
        g_respostas.emplace_back(this);
    }
    PedirEsvaziar();
}

namespace {
// A place in line costs about this much besides the bytes of the message.
constexpr qint64 kCustoLugar = 32;
constexpr qsizetype kPeca = 16 * 1024;
} // namespace

void Sessao::Enfileirar(const QByteArray& mensagem, bool bruta)
{
    // Asked once: it is asked for every message of every broadcast.
    const qint64 noQt = m_saida->bytesToWrite();
    if (noQt + m_bytesNaFila == 0)
        m_esperaDesde = AgoraMs();
    // Bytes of another stream may hold anything, a part of a message too.
    const QByteArrayView comando = bruta ? QByteArrayView() : QByteArrayView(mensagem).sliced(4, 5);
    Tipo tipo = Tipo::Outra;
    if (comando == "slInf")
        tipo = Tipo::ListaSalas;
    else if (comando == "hlInf")
        tipo = Tipo::ListaJogadores;
    else if (comando == "slMsg")
        tipo = Tipo::Conversa;
    const quint64 seq = m_seqFrente + m_fila.size();
    if (tipo == Tipo::ListaSalas || tipo == Tipo::ListaJogadores) {
        // Nobody needs a list that is already out of date: the newer one takes its turn at the
        // end of the line, after whatever was said before it.
        quint64& lista = m_seqLista[tipo == Tipo::ListaJogadores];
        Descartar(lista);
        lista = seq;
    } else if (tipo == Tipo::Conversa) {
        m_seqConversas.push_back(seq);
    }
    // Other messages in a row are one piece, unless a broadcast shares its bytes: a place in line
    // costs more than a short answer.
    Saida* ultima = m_fila.empty() ? nullptr : &m_fila.back();
    if (tipo == Tipo::Outra && ultima && ultima->tipo == Tipo::Outra && !ultima->bytes.isEmpty() &&
        ultima->bytes.size() < kPeca && ultima->bytes.isDetached()) {
        ultima->bytes += mensagem;
        m_bytesNaFila += mensagem.size();
        m_custoNaFila += mensagem.size();
    } else {
        m_fila.push_back({mensagem, tipo});
        m_bytesNaFila += mensagem.size();
        m_custoNaFila += kCustoLugar + (tipo == Tipo::Outra ? mensagem.size() : 0);
    }
    // A peer far behind loses the oldest chat lines first, then the connection.
    while (noQt + m_bytesNaFila > kAtrasoConversa && !m_seqConversas.empty()) {
        Descartar(m_seqConversas.front());
        m_seqConversas.pop_front();
    }
    if (noQt + m_bytesNaFila > kLimiteSaida)
        Encerrar(
            QStringLiteral("o cliente não lê o que recebe (%1 bytes esperando)").arg(Pendente()));
}

void Sessao::Descartar(quint64 seq)
{
    if (seq < m_seqFrente || seq - m_seqFrente >= m_fila.size())
        return;
    Saida& s = m_fila[size_t(seq - m_seqFrente)];
    m_bytesNaFila -= s.bytes.size();
    m_custoNaFila -= s.tipo == Tipo::Outra ? s.bytes.size() : 0;
    s.bytes = QByteArray();
}

void Sessao::Esvaziar()
{
    g_esvaziarPedido = false;
    std::vector<QPointer<Sessao>> respostas;
    respostas.swap(g_respostas);
    for (const QPointer<Sessao>& s : respostas)
        if (s) {
            s->m_respondendo = false;
            s->Bombear();
        }
    for (int i = 0; i < kEsvaziarPorPassagem && !g_aEsvaziar.empty(); ++i) {
        const QPointer<Sessao> s = g_aEsvaziar.front();
        g_aEsvaziar.pop_front();
        if (s) {
            s->m_naFila = false;
            s->Bombear();
        }
    }
    if (!g_aEsvaziar.empty())
        PedirEsvaziar();
}

void Sessao::Bombear()
{
    // Also for a session being closed: what it was told before still goes out first.
    QAbstractSocket* socket = m_socket;
    if (!socket || socket->state() != QAbstractSocket::ConnectedState || socket->bytesToWrite() > 0)
        return;
    const int fd = int(socket->socketDescriptor());
    // Straight to the kernel, many messages in one call: through Qt, the bytes would be copied
    // into the socket's buffer and written on a later pass, a cost paid per recipient of every
    // broadcast.
    constexpr size_t kPorEnvio = 64;
    while (!m_fila.empty()) {
        iovec partes[kPorEnvio];
        size_t n = 0;
        qint64 oferecidos = 0;
        for (size_t i = 0; i < m_fila.size() && n < kPorEnvio; ++i) {
            const QByteArray& b = m_fila[i].bytes;
            if (b.isEmpty())
                continue;
            partes[n++] = {const_cast<char*>(b.constData()), size_t(b.size())};
            oferecidos += b.size();
        }
        qint64 enviados = 0;
        if (n > 0) {
            msghdr m{};
            m.msg_iov = partes;
            m.msg_iovlen = n;
            const ssize_t r = ::sendmsg(fd, &m, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (r < 0 && errno == EINTR)
                continue;
            // A peer already gone: nothing more is written or kept for it.
            if (r < 0 && (errno == EPIPE || errno == ECONNRESET)) {
                Encerrar(QStringLiteral("a conexão caiu"));
                return;
            }
            enviados = std::max<qint64>(r, 0);
            if (enviados > 0)
                m_esperaDesde = AgoraMs();
        }
        // Off the line: what the kernel took, and the places of replaced or dropped messages. A
        // message half sent has its rest in Qt's buffer, which goes before anything else.
        qint64 resto = enviados;
        while (!m_fila.empty()) {
            const Saida& s = m_fila.front();
            const qint64 tamanho = s.bytes.size();
            if (tamanho > resto) {
                if (resto == 0)
                    break;
                socket->write(s.bytes.sliced(resto));
                resto = tamanho;
            }
            resto -= tamanho;
            TirarDaFrente();
        }
        if (socket->bytesToWrite() > 0 || m_fila.empty())
            return;
        if (enviados < oferecidos) {
            // The kernel takes no more now: the next message waits in Qt's buffer, whose write
            // notifier calls back here once the peer has read.
            socket->write(m_fila.front().bytes);
            TirarDaFrente();
            return;
        }
    }
}

void Sessao::TirarDaFrente()
{
    const Saida& s = m_fila.front();
    m_bytesNaFila -= s.bytes.size();
    m_custoNaFila -= kCustoLugar + (s.tipo == Tipo::Outra ? s.bytes.size() : 0);
    m_fila.pop_front();
    ++m_seqFrente;
    while (!m_seqConversas.empty() && m_seqConversas.front() < m_seqFrente)
        m_seqConversas.pop_front();
}

qint64 Sessao::Pendente() const
{
    return m_saida && !m_encerrada ? m_saida->bytesToWrite() + m_bytesNaFila : 0;
}

qint64 Sessao::Custo() const
{
    return m_saida && !m_encerrada ? m_saida->bytesToWrite() + m_custoNaFila : 0;
}

bool Sessao::ParouDeLer(qint64 semLerMs)
{
    if (Pendente() == 0 || AgoraMs() - m_esperaDesde < semLerMs)
        return false;
    // A busy server may not have tried for a while: a socket with room again has a peer that
    // reads. Asked, not written to, so that nothing closes under the caller.
    pollfd p{int(m_socket ? m_socket->socketDescriptor() : -1), POLLOUT, 0};
    if (m_socket && ::poll(&p, 1, 0) == 1 && (p.revents & POLLOUT)) {
        m_esperaDesde = AgoraMs();
        return false;
    }
    return true;
}

qint64 Sessao::AgoraMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool Sessao::PodeConversar(qint64 agoraMs, int rajada)
{
    if (rajada <= 0)
        return true;
    m_fichasChat = m_fichasChat < 0
                       ? rajada * 1000
                       : std::min<qint64>(rajada * 1000, m_fichasChat + (agoraMs - m_chatEm));
    m_chatEm = agoraMs;
    if (m_fichasChat < 1000)
        return false;
    m_fichasChat -= 1000;
    return true;
}
