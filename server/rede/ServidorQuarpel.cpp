#include "ServidorQuarpel.h"

#include "Despachante.h"
#include "EscolhaLentos.h"
#include "SalaDeJogo.h"
#include "Sessao.h"

#include <QRandomGenerator>
#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

ServidorQuarpel::ServidorQuarpel(Configuracao configuracao, Lobby::FabricaSala fabrica,
                                 QObject* parent)
    : QObject(parent), m_configuracao(std::move(configuracao)),
      m_lobby(fabrica ? std::move(fabrica) : FabricaPadrao()),
      m_despachante(std::make_unique<Despachante>(m_configuracao, m_lobby)),
      m_escuta(new QTcpServer(this)), m_vigia(new QTimer(this))
{
    m_relogio.start();
    connect(m_escuta, &QTcpServer::newConnection, this, &ServidorQuarpel::NovaConexao);
    // Out of file descriptors the pending connection stays in the kernel's queue and the socket
    // stays readable: stop listening for a moment instead of failing to accept in a loop.
    connect(m_escuta, &QTcpServer::acceptError, this, [this](QAbstractSocket::SocketError e) {
        qWarning("Falha ao aceitar conexão (%d): pausa de 1 s", int(e));
        m_escuta->pauseAccepting();
        QTimer::singleShot(1000, m_escuta, &QTcpServer::resumeAccepting);
    });
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
        // With --semente the games of a run replay: the n-th game gets the seed plus n.
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
    qInfo("Escutando em %s, porta %u; contas em %s",
          qPrintable(m_escuta->serverAddress().toString()), unsigned(m_escuta->serverPort()),
          qPrintable(m_configuracao.Contas().Descricao()));
    return true;
}

quint16 ServidorQuarpel::Porta() const
{
    return m_escuta->serverPort();
}

void ServidorQuarpel::NovaConexao()
{
    while (QTcpSocket* socket = m_escuta->nextPendingConnection()) {
        if (m_despachante->Sessoes().size() >= m_configuracao.maxConexoes) {
            qWarning("Conexão de %s recusada: %d conexões abertas",
                     qPrintable(socket->peerAddress().toString()), m_configuracao.maxConexoes);
            socket->abort();
            delete socket;
            continue;
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
            [despachante](Sessao& s, const MensagemRecebida& m) { despachante->Tratar(s, m); },
            socket);
        sessao->SetEndereco(socket->peerAddress().toString());
        sessao->SetCriadaEm(m_relogio.elapsed());
        sessao->SetDescricao(
            QStringLiteral("conexão %1 de %2").arg(sessao->Id()).arg(sessao->Endereco()));
        despachante->Registrar(sessao);
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
        if (f.apagar)
            delete f.socket.data();
        else
            f.socket->abort(); // emits disconnected, which puts it back in line to be deleted
    }
    if (!m_aFechar.empty())
        m_fechamento.start();
}

void ServidorQuarpel::Vigiar()
{
    const qint64 agora = m_relogio.elapsed();
    const qint64 limiteLogin = qint64(m_configuracao.tempoSemLoginS) * 1000;
    std::vector<qint64> pendentes;
    std::vector<Sessao*> quem;
    for (Sessao* s : m_despachante->Sessoes()) {
        if (s->Encerrada())
            continue;
        if (!s->Logada() && !s->Ocupada() && agora - s->CriadaEm() > limiteLogin) {
            s->Derrubar(QStringLiteral("não entrou em %1 s").arg(m_configuracao.tempoSemLoginS));
            continue;
        }
        if (const qint64 p = s->Pendente(); p > 0) {
            pendentes.push_back(p);
            quem.push_back(s);
        }
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
    for (size_t i : EscolherLentos(pendentes, m_configuracao.limiteSaidaTotal))
        quem[i]->Derrubar(
            QStringLiteral("o cliente lê devagar demais (%1 bytes esperando)").arg(pendentes[i]));
}
