// The client's receive path and dispatcher fed arbitrary bytes by a hostile server over loopback,
// the real main window behind them on the offscreen platform. It must never crash or stop
// reading; when it gives up it says so in a box (recorded here) and ends. A client that ended is
// replaced by a new one for the next input.

#include "Caixas.h"
#include "Espera.h"
#include "frmCliente.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/ioctl.h>

namespace {

void Calar(QtMsgType, const QMessageLogContext&, const QString&) {}

// The offscreen platform, chosen before the application exists.
struct Plataforma
{
    Plataforma() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
};

struct Ambiente : Plataforma
{
    int argc = 1;
    char nome[16] = "fuzz_cliente";
    char* argv[2] = {nome, nullptr};
    QApplication app{argc, argv};
    QTcpServer servidor;
    QTcpSocket* conexao = nullptr;
    std::unique_ptr<frmCliente> cliente;
    int caixas = 0;

    Ambiente()
    {
        qInstallMessageHandler(Calar);
        Caixas::SetInterceptador([this](const Caixas::Caixa&) {
            ++caixas;
            return QString();
        });
        if (!servidor.listen(QHostAddress(QHostAddress::LocalHost), 0))
            qFatal("sem porta");
    }

    // A client connected to this server, its "obVer" left unread.
    void Conectar()
    {
        cliente.reset();
        delete conexao;
        conexao = nullptr;
        Espera::Reiniciar();
        cliente = std::make_unique<frmCliente>(
            QStringList{QStringLiteral("servidor"), QStringLiteral("127.0.0.1")},
            servidor.serverPort());
        cliente->Form_Load();
        // The load usually accepted it already; waiting for another would only time out.
        if (!servidor.hasPendingConnections() && !servidor.waitForNewConnection(5000))
            qFatal("o cliente não conectou");
        conexao = servidor.nextPendingConnection();
    }

    // Bytes that reached the client's side and are not yet read by it.
    qint64 NaoLidos() const
    {
        int n = 0;
        ioctl(int(cliente->Sock->socketDescriptor()), FIONREAD, &n);
        return n + cliente->Sock->bytesAvailable();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    static Ambiente* a = new Ambiente;
    if (!a->cliente || Espera::Encerrando())
        a->Conectar();
    const int caixasAntes = a->caixas;
    a->conexao->write(reinterpret_cast<const char*>(dados), qint64(tamanho));
    const QDeadlineTimer prazo(10000);
    while (!Espera::Encerrando() && (a->conexao->bytesToWrite() > 0 || a->NaoLidos() > 0)) {
        if (prazo.hasExpired()) {
            std::fputs("o cliente parou de ler\n", stderr);
            std::abort();
        }
        a->conexao->flush();
        QCoreApplication::processEvents();
    }
    a->conexao->readAll();
    // Giving up is said in a box, never silent.
    if (Espera::Encerrando() && a->caixas == caixasAntes) {
        std::fputs("o cliente terminou sem dizer por quê\n", stderr);
        std::abort();
    }
    return 0;
}
