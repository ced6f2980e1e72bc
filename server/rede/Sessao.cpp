#include "Sessao.h"

#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "LacoEpoll.h"

#include <QAbstractSocket>
#include <QCoreApplication>
#include <QIODevice>
#include <QPointer>
#include <algorithm>
#include <cerrno>
#include <deque>
#include <sys/socket.h>

Sessao::Sessao(quint64 id, QIODevice* saida, Tratador tratador, QObject* parent)
    : QObject(parent), m_id(id), m_saida(saida), m_socket(qobject_cast<QAbstractSocket*>(saida)),
      m_tratador(std::move(tratador))
{
}

void Sessao::Receber(const QByteArray& bytes)
{
    if (m_encerrada)
        return;
    m_cortador.Acrescentar(bytes);
    Processar();
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
        while (!m_ocupada && !m_encerrada) {
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
        Gravar(mensagem);
        return;
    }
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
    m_juntar += mensagem;
    PedirEsvaziar();
}

void Sessao::Esvaziar()
{
    g_esvaziarPedido = false;
    std::vector<QPointer<Sessao>> respostas;
    respostas.swap(g_respostas);
    for (const QPointer<Sessao>& s : respostas)
        if (s) {
            s->m_respondendo = false;
            s->Esvaziar1();
        }
    for (int i = 0; i < kEsvaziarPorPassagem && !g_aEsvaziar.empty(); ++i) {
        const QPointer<Sessao> s = g_aEsvaziar.front();
        g_aEsvaziar.pop_front();
        if (s) {
            s->m_naFila = false;
            s->Esvaziar1();
        }
    }
    if (!g_aEsvaziar.empty())
        PedirEsvaziar();
}

void Sessao::Esvaziar1()
{
    // Also for a session being closed: what it was told before still goes out first.
    QByteArray bytes;
    bytes.swap(m_juntar);
    const QAbstractSocket* socket = m_socket;
    if (!bytes.isEmpty() && socket && socket->state() == QAbstractSocket::ConnectedState)
        Gravar(bytes);
}

void Sessao::Gravar(const QByteArray& mensagem)
{
    const QAbstractSocket* socket = m_socket;
    // With nothing waiting in Qt's buffer the bytes go straight to the kernel: Qt would arm the
    // socket's write notifier and write on a later pass of the event loop, a cost paid per
    // recipient of every broadcast. Only what the kernel does not take waits in Qt's buffer.
    qsizetype enviados = 0;
    if (socket && socket->bytesToWrite() == 0) {
        const ssize_t n = ::send(int(socket->socketDescriptor()), mensagem.constData(),
                                 size_t(mensagem.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n == mensagem.size())
            return;
        // A peer already gone: nothing more is written or kept for it.
        if (n < 0 && (errno == EPIPE || errno == ECONNRESET)) {
            Encerrar(QStringLiteral("a conexão caiu"));
            return;
        }
        if (n > 0)
            enviados = n;
    }
    m_saida->write(enviados ? mensagem.sliced(enviados) : mensagem);
    if (m_saida->bytesToWrite() > kLimiteSaida)
        Encerrar(QStringLiteral("o cliente não lê o que recebe"));
}

qint64 Sessao::Pendente() const
{
    return m_saida && !m_encerrada ? m_saida->bytesToWrite() + m_juntar.size() : 0;
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
