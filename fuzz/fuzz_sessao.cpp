// Feeds arbitrary bytes to a session's receive path, with the real dispatcher, lobby, accounts and
// game rooms behind it. Half of the inputs start logged in, beside another player who holds a
// room, so the lobby, room and game commands ("Start", "Carta", "Truco", "tcSim", "tcNao") are
// reached too. The session handles a burst 64 messages at a time and the rest on later passes of
// the event loop, which is run here until the session is idle; every whole message of the input
// must then have been handled unless the session was closed.

#include "Configuracao.h"
#include "CortadorFluxo.h"
#include "Despachante.h"
#include "Lobby.h"
#include "SalaDeJogo.h"
#include "Sessao.h"
#include "Versao.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

void Calar(QtMsgType, const QMessageLogContext&, const QString&) {}

struct Ambiente
{
    int argc = 1;
    char nome[16] = "fuzz_sessao";
    char* argv[2] = {nome, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir pasta;
    Configuracao configuracao;
    Lobby lobby{[](const QString& nome, const QByteArray& senha) {
        SalaDeJogo::Opcoes o;
        o.semente = [] { return 7u; };
        return std::make_unique<SalaDeJogo>(nome, senha, std::move(o));
    }};
    std::unique_ptr<Despachante> despachante;
    QBuffer saidaVizinho;
    std::unique_ptr<Sessao> vizinho;
    quint64 proximo = 10;

    Ambiente()
    {
        qInstallMessageHandler(Calar);
        configuracao.pastaDados = pasta.path();
        configuracao.versaoCliente = QString::fromLatin1(kVersaoQuarpel);
        configuracao.custoSenha = HashSenha::Custo::Minimo;
        QString erro;
        if (!configuracao.Contas().Preparar(&erro))
            qFatal("%s", qPrintable(erro));
        despachante = std::make_unique<Despachante>(configuracao, lobby);
        // As the server registers them.
        for (const char* comando : {"Start", "Carta", "Truco", "tcSim", "tcNao"}) {
            despachante->AdicionarComando(comando, [this](Sessao& s, const MensagemRecebida& m) {
                if (auto* sala = dynamic_cast<SalaDeJogo*>(lobby.SalaDe(&s)))
                    sala->Comando(&s, m.comando, m.argumentos);
            });
        }
        saidaVizinho.open(QIODevice::WriteOnly);
        vizinho =
            std::make_unique<Sessao>(1, &saidaVizinho, [](Sessao&, const MensagemRecebida&) {});
        vizinho->Logar(1, QStringLiteral("vizinho"), QByteArray());
        despachante->Registrar(vizinho.get());
        lobby.Chegar(vizinho.get());
        lobby.CriarSala(vizinho.get(), "Mesa", "x");
    }
};

Ambiente* g_ambiente = nullptr;

// The environment lives until the process ends; its worker threads (password checks with their own
// database connection, the account writer) must be done before Qt's own globals go at exit.
void Encerrar()
{
    g_ambiente->despachante.reset();
}

// The whole messages of the input up to the first length field that cannot be right, cut as the
// session cuts them.
int MensagensInteiras(const QByteArray& bytes)
{
    CortadorFluxo cortador(Sessao::kLimiteMensagem);
    cortador.Acrescentar(bytes);
    int n = 0;
    try {
        while (cortador.ProximaVista())
            ++n;
    } catch (const std::exception&) {
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    static Ambiente* ambiente = [] {
        g_ambiente = new Ambiente;
        std::atexit(Encerrar);
        return g_ambiente;
    }();
    if (tamanho == 0)
        return 0;
    Despachante& d = *ambiente->despachante;
    QBuffer saida;
    saida.open(QIODevice::WriteOnly);
    const quint64 id = ambiente->proximo++;
    int tratadas = 0;
    Sessao sessao(id, &saida, [&d, &tratadas](Sessao& s, const MensagemRecebida& m) {
        ++tratadas;
        d.Tratar(s, m);
    });
    // Every input is a peer of its own: wrong passwords of earlier inputs earn it no wait.
    sessao.SetEndereco(QString::number(id));
    d.Registrar(&sessao);
    if (dados[0] & 1) {
        sessao.Logar(qint64(id), QStringLiteral("fuzz%1").arg(id), QByteArray());
        ambiente->lobby.Chegar(&sessao);
    }
    const QByteArray entrada(reinterpret_cast<const char*>(dados + 1), qsizetype(tamanho - 1));
    sessao.Receber(entrada);
    while (sessao.Ocupada()) {
        d.AguardarTrabalhos();
        // Blocks until something happens: a job's end, the next turn after a long burst, or the
        // timer of a login refused later for too many wrong passwords.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (!sessao.Encerrada() && tratadas != MensagensInteiras(entrada))
        __builtin_trap(); // a burst was left unhandled
    d.Remover(&sessao);
    ambiente->lobby.Partir(&sessao);
    ambiente->saidaVizinho.seek(0);
    // Tables that ended were released with deleteLater(); outside a running event loop that needs
    // asking for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
