#include "ServidorQuarpel.h"

#include "Despachante.h"
#include "EscolhaLentos.h"
#include "FuncoesComuns.h"
#include "Retransmissao.h"
#include "SaguaoPostgres.h"
#include "SalaDeJogo.h"
#include "Sessao.h"
#include "Texto.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <cerrno>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <numeric>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Descriptors the server needs besides its connections: the database and its journal in each
// thread, the log, the event loop's own.
constexpr rlim_t kDescritoresReservados = 64;

rlim_t LimiteDescritores()
{
    rlimit r{};
    getrlimit(RLIMIT_NOFILE, &r);
    return r.rlim_cur;
}

// The system's cap on a listening socket's queue: a burst of connections waits there instead of
// being dropped into a one-second SYN retry.
int FilaDeEscuta()
{
    QFile f(QStringLiteral("/proc/sys/net/core/somaxconn"));
    const int n = f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toInt() : 0;
    return n > 0 ? n : SOMAXCONN;
}

} // namespace

ServidorQuarpel::ServidorQuarpel(Configuracao configuracao, Lobby::FabricaSala fabrica,
                                 QObject* parent)
    : QObject(parent), m_configuracao(std::move(configuracao)),
      m_orcamentoRobos(m_configuracao.cpuRobosPercentual / 100.0),
      m_lobby(fabrica ? std::move(fabrica) : FabricaPadrao()),
      m_despachante(std::make_unique<Despachante>(m_configuracao, m_lobby)),
      m_escuta(new QTcpServer(this)), m_vigia(new QTimer(this))
{
    m_relogio.start();
    if (m_configuracao.maxConexoes <= 0)
        m_configuracao.maxConexoes = int(std::clamp<rlim_t>(
            LimiteDescritores() - std::min(LimiteDescritores() / 2, kDescritoresReservados), 1,
            1'000'000));
    m_escuta->setListenBacklogSize(FilaDeEscuta());
    m_retomada.setSingleShot(true);
    m_retomada.setInterval(1000);
    connect(&m_retomada, &QTimer::timeout, this, &ServidorQuarpel::RetomarAceite);
    m_fechamento.setSingleShot(true);
    m_fechamento.setInterval(0);
    connect(&m_fechamento, &QTimer::timeout, this, &ServidorQuarpel::FecharAlguns);
    connect(m_vigia, &QTimer::timeout, this, &ServidorQuarpel::Vigiar);
    m_vigia->start(250);
    for (const char* comando : {"Start", "Carta", "Truco", "tcSim", "tcNao"}) {
        m_despachante->AdicionarComando(comando, [this](Sessao& s, const MensagemRecebida& m) {
            if (auto* sala = dynamic_cast<SalaDeJogo*>(m_lobby.SalaDe(&s)))
                sala->Comando(&s, m.comando, m.argumentos);
        });
    }
}

Lobby::FabricaSala ServidorQuarpel::FabricaPadrao()
{
    return [this](const QString& nome, const QByteArray& senha) {
        SalaDeJogo::Opcoes o;
        o.atrasoRoboMs = m_configuracao.atrasoRoboMs;
        o.tempoJogadaS = m_configuracao.tempoJogadaS;
        o.narracao = m_configuracao.narracao;
        o.orcamentoRobos = &m_orcamentoRobos;
        // With --semente the games of a run replay (with --cpu-robos 0 or 100 the bots decide
        // alike however busy the server): the n-th game gets the seed plus n.
        o.semente = [this] {
            const quint64 n = m_jogos++;
            return m_configuracao.semente ? std::uint32_t(*m_configuracao.semente + n)
                                          : QRandomGenerator::global()->generate();
        };
        o.aoMudar = [this] { m_lobby.EnviarInfoSalasAoSaguao(); };
        return std::make_unique<SalaDeJogo>(nome, senha, std::move(o));
    };
}

ServidorQuarpel::~ServidorQuarpel()
{
    delete std::exchange(m_aceite, nullptr);
    m_escuta->close();
    // The sockets go before the lobby and the dispatcher, quietly: nobody is told of anybody
    // leaving while everything is being taken down.
    const QList<QTcpSocket*> sockets = m_escuta->findChildren<QTcpSocket*>();
    for (QTcpSocket* socket : sockets) {
        socket->disconnect();
        for (Sessao* sessao : socket->findChildren<Sessao*>())
            sessao->disconnect();
        socket->abort();
        delete socket;
    }
    qInfo("Servidor encerrado");
}

bool ServidorQuarpel::Iniciar(QString* erro)
{
    if (!m_configuracao.Contas().Preparar(erro))
        return false;
    if (!m_escuta->listen(m_configuracao.endereco, m_configuracao.porta)) {
        *erro = m_escuta->errorString();
        return false;
    }
    // Qt's own accepting cannot tell a lack of descriptors from a passing error and would try
    // again at once, forever: this server accepts by itself.
    m_escuta->pauseAccepting();
    m_aceite = new QSocketNotifier(m_escuta->socketDescriptor(), QSocketNotifier::Read, this);
    connect(m_aceite, &QSocketNotifier::activated, this, &ServidorQuarpel::Aceitar);
    // Several processes on one database share the lobby; its rows hang on this process' lease,
    // and its rooms say where the others relay their players to.
    if (!m_configuracao.banco.isEmpty()) {
        QString anuncio = m_configuracao.anunciar;
        if (anuncio.isEmpty()) {
            QHostAddress a = m_escuta->serverAddress();
            if (a == QHostAddress::Any || a == QHostAddress::AnyIPv4 || a == QHostAddress::AnyIPv6)
                a = QHostAddress::LocalHost;
            anuncio = (a.protocol() == QAbstractSocket::IPv6Protocol ? u'[' + a.toString() + u']'
                                                                     : a.toString()) +
                      u':' + QString::number(Porta());
        }
        m_lobby.Compartilhar(std::make_unique<SaguaoPostgres>(
            m_configuracao.banco, m_despachante->Processo(),
            std::chrono::seconds(m_configuracao.validadePresencaS), anuncio));
        m_lobby.AoEntrarRemota([this](Participante* p, const SaguaoCompartilhado::Sala& sala,
                                      const QByteArray& nome, const QByteArray& senha) {
            auto* s = dynamic_cast<Sessao*>(p);
            if (!s)
                return;
            qInfo("%s vai à sala \"%s\" em %s", qPrintable(s->Login()), qPrintable(sala.nome),
                  qPrintable(sala.endereco));
            const QByteArray pedido =
                MontarMensagem("rlEnt", {Texto::ParaBytes(m_despachante->Processo()),
                                         Texto::ParaBytes(s->Login()), nome, senha});
            new Retransmissao(s, sala.endereco, pedido, [this](Sessao* s) {
                // Back in this lobby, with its lists as a newcomer gets them.
                m_lobby.Chegar(s);
                m_lobby.EnviarPendentes();
            });
        });
    }
    qInfo("Escutando em %s, porta %u; contas em %s; até %d conexões (limite de %llu descritores)",
          qPrintable(m_escuta->serverAddress().toString()), unsigned(m_escuta->serverPort()),
          qPrintable(m_configuracao.Contas().Descricao()), m_configuracao.maxConexoes,
          static_cast<unsigned long long>(LimiteDescritores()));
    return true;
}

quint16 ServidorQuarpel::Porta() const
{
    return m_escuta->serverPort();
}

void ServidorQuarpel::Aceitar()
{
    // A slice per pass: a storm of connections does not shut out everyone else; the notifier
    // fires again for the rest.
    for (int i = 0; i < 256; ++i) {
        const int fd = ::accept4(int(m_escuta->socketDescriptor()), nullptr, nullptr,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                PausarAceite();
            return;
        }
        auto* socket = new QTcpSocket(m_escuta);
        if (!socket->setSocketDescriptor(fd)) {
            ::close(fd);
            delete socket;
            continue;
        }
        NovaConexao(socket);
    }
}

void ServidorQuarpel::PausarAceite()
{
    m_aceite->setEnabled(false);
    m_retomada.start();
    // Once a minute at most: at the limit, every connection that closes lets one more in and
    // the next one waits again.
    if (m_semDescritoresEm < 0 || m_relogio.elapsed() - m_semDescritoresEm > 60'000) {
        m_semDescritoresEm = m_relogio.elapsed();
        qWarning("Sem descritores de arquivo (limite de %llu): novas conexões esperam na fila "
                 "até que alguma se feche",
                 static_cast<unsigned long long>(LimiteDescritores()));
    }
}

void ServidorQuarpel::RetomarAceite()
{
    if (m_aceite && !m_aceite->isEnabled()) {
        m_retomada.stop();
        m_aceite->setEnabled(true);
    }
}

Sessao* ServidorQuarpel::MaisAntigaSemLogin()
{
    while (!m_semLogin.empty()) {
        Sessao* s = m_despachante->Sessoes().value(m_semLogin.front());
        m_semLogin.pop_front();
        if (s && !s->Logada() && !s->Encerrada())
            return s;
    }
    return nullptr;
}

void ServidorQuarpel::NovaConexao(QTcpSocket* socket)
{
    if (m_despachante->Sessoes().size() >= m_configuracao.maxConexoes) {
        // Whoever has not logged in for longest gives his place; only when everyone has
        // logged in is the newcomer refused.
        if (Sessao* velha = MaisAntigaSemLogin()) {
            velha->Derrubar(QStringLiteral("sem login, e faltam vagas (%1 conexões abertas)")
                                .arg(m_configuracao.maxConexoes));
        } else {
            qWarning("Conexão de %s recusada: %d conexões abertas",
                     qPrintable(socket->peerAddress().toString()), m_configuracao.maxConexoes);
            socket->abort();
            delete socket;
            return;
        }
    }
    // A game sends small messages that must leave at once; Nagle's wait against the peer's
    // delayed acknowledgement would stall each move by tens of milliseconds.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // Qt stops reading from the kernel once this much waits, so a peer that floods a busy
    // session is held back by TCP itself.
    socket->setReadBufferSize(64 * 1024);
    Despachante* despachante = m_despachante.get();
    auto* sessao = new Sessao(
        m_proximaSessao++, socket,
        [despachante](Sessao& s, const MensagemRecebida& m) { despachante->Tratar(s, m); }, socket);
    sessao->SetEndereco(socket->peerAddress().toString());
    sessao->SetCriadaEm(m_relogio.elapsed());
    sessao->SetDescricao(
        QStringLiteral("conexão %1 de %2").arg(sessao->Id()).arg(sessao->Endereco()));
    despachante->Registrar(sessao);
    m_semLogin.push_back(sessao->Id());
    qInfo("Nova %s", qPrintable(sessao->Descricao()));

    const auto ler = [socket, sessao] {
        if (!sessao->Ocupada() && !sessao->Encerrada())
            sessao->Receber(socket->readAll());
    };
    connect(socket, &QTcpSocket::readyRead, sessao, ler);
    connect(sessao, &Sessao::desocupada, sessao, ler);
    connect(sessao, &Sessao::encerrar, this, [this, sessao, socket](const QString& motivo) {
        qWarning("Desconectando %s: %s", qPrintable(sessao->Descricao()), qPrintable(motivo));
        // Later, from the event loop: the session may be in the middle of a broadcast.
        Fechar(socket, false);
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket, sessao] {
        if (sessao->Logada())
            qInfo("Fim da %s: %s saiu do servidor", qPrintable(sessao->Descricao()),
                  qPrintable(sessao->Login()));
        else
            qInfo("Fim da %s", qPrintable(sessao->Descricao()));
        // Gone from the lobby and its room at once, so that he can come back right away.
        m_despachante->Remover(sessao);
        Fechar(socket, true);
    });
    if (socket->bytesAvailable() > 0)
        ler();
}

void ServidorQuarpel::Fechar(QTcpSocket* socket, bool apagar)
{
    m_aFechar.push_back({socket, apagar});
    if (!m_fechamento.isActive())
        m_fechamento.start();
}

void ServidorQuarpel::FecharAlguns()
{
    // About a millisecond of work; the rest waits for the next pass.
    constexpr int kPorPassagem = 64;
    for (int i = 0; i < kPorPassagem && !m_aFechar.empty(); ++i) {
        const AFechar f = m_aFechar.front();
        m_aFechar.pop_front();
        if (!f.socket)
            continue;
        if (f.apagar) {
            delete f.socket.data();
            // A descriptor is free again.
            RetomarAceite();
        } else
            f.socket->abort(); // emits disconnected, which puts it back in line to be deleted
    }
    if (!m_aFechar.empty())
        m_fechamento.start();
}

void ServidorQuarpel::Vigiar()
{
    const qint64 agora = m_relogio.elapsed();
    const qint64 limiteLogin = qint64(m_configuracao.tempoSemLoginS) * 1000;
    const qint64 semLer = qint64(m_configuracao.tempoSemLerS) * 1000;
    std::vector<qint64> custos;
    std::vector<Sessao*> quem;
    qint64 pendente = 0;
    for (Sessao* s : m_despachante->Sessoes()) {
        if (s->Encerrada())
            continue;
        if (!s->Logada() && !s->Ocupada() && agora - s->CriadaEm() > limiteLogin) {
            s->Derrubar(QStringLiteral("não entrou em %1 s").arg(m_configuracao.tempoSemLoginS));
            continue;
        }
        // Whoever reads, however slowly, takes something now and then; whoever stopped does not.
        if (s->ParouDeLer(semLer)) {
            s->Derrubar(QStringLiteral("o cliente parou de ler (%1 bytes esperando há %2 s)")
                            .arg(s->Pendente())
                            .arg(m_configuracao.tempoSemLerS));
            continue;
        }
        if (const qint64 c = s->Custo(); c > 0) {
            custos.push_back(c);
            quem.push_back(s);
            pendente += s->Pendente();
        }
    }
    while (!m_semLogin.empty()) {
        const Sessao* s = m_despachante->Sessoes().value(m_semLogin.front());
        if (s && !s->Logada())
            break;
        m_semLogin.pop_front();
    }
    // After many departures, hand the freed memory back to the system: the allocator keeps it
    // otherwise, and the process would stay at its peak for good.
    // Counting the sockets still to be deleted: their memory is freed only then.
    const qsizetype sessoes = m_despachante->Sessoes().size() + qsizetype(m_aFechar.size());
    if (sessoes + 1000 < m_sessoesNoPico) {
#ifdef __GLIBC__
        malloc_trim(0);
#endif
        m_sessoesNoPico = sessoes;
    }
    m_sessoesNoPico = std::max(m_sessoesNoPico, sessoes);
    const qint64 custo = std::accumulate(custos.begin(), custos.end(), qint64{0});
    const std::vector<size_t> lentos = EscolherLentos(custos, m_configuracao.limiteSaidaTotal);
    // What waits to be sent, now and then while it is a good part of the limit.
    if (!lentos.empty() ||
        (custo > m_configuracao.limiteSaidaTotal / 4 && agora - m_avisoSaidaEm > 10'000)) {
        m_avisoSaidaEm = agora;
        qInfo("Saída esperando: %lld KB para %zu conexões, %lld KB em memória (limite %lld KB)",
              pendente / 1024, quem.size(), custo / 1024, m_configuracao.limiteSaidaTotal / 1024);
    }
    for (size_t i : lentos)
        quem[i]->Derrubar(QStringLiteral("o cliente lê devagar demais (%1 bytes esperando)")
                              .arg(quem[i]->Pendente()));
}
