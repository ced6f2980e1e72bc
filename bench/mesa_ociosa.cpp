// The client's CPU while nothing moves at the table: the real client is brought to a table with a
// guest (and, with "jogo", to a dealt hand) against a quarpel-server in its own process, then left
// alone; the client's own CPU time over the next 10 s is printed.
// Usage: mesa_ociosa <quarpel-server> [jogo]

#include "Bancada.h"
#include "CUnPacker.h"
#include "CaixaFigura.h"
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCliente.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {
double SegundosDeCpu()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_utime.tv_sec + uso.ru_stime.tv_sec +
           (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return std::fprintf(stderr, "uso: mesa_ociosa <quarpel-server> [jogo]\n"), 2;
    QTemporaryDir dados;
    QProcess servidor;
    servidor.start(argv[1], {"--porta", "0", "--endereco", "127.0.0.1", "--dados", dados.path(),
                             "--tempo-jogada", "600"});
    QByteArray log;
    quint16 porta = 0;
    EsperarAte([&] {
        log += servidor.readAllStandardError();
        porta =
            QRegularExpression("porta (\\d+)").match(QString::fromUtf8(log)).captured(1).toUShort();
        return porta != 0;
    });
    ClienteTeste conta;
    auto bia = ClienteTeste::NoSaguao(porta, "beatriz");
    if (!bia || !conta.Conectar(porta) || !conta.CriarConta("anabela", "senha1"))
        return std::fprintf(stderr, "servidor inacessível\n"), 1;

    frmCliente c({"servidor", "127.0.0.1"}, porta);
    c.Form_Load();
    EsperarAte([&] { return c.isVisible(); });
    c.frLogin->txLgLogin->setText("anabela");
    c.frLogin->txLgSenha->setText("senha1");
    c.frLogin->btLgOK->click();
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<frmCriarSala*>(QApplication::activeModalWidget());
        d->txNome->setText("Mesa");
        d->btOK->click();
    });
    c.frSalas->btSlCriarSala->click();
    bia->EntrarNaSala("Mesa");
    EsperarAte([&] { return c.frJogo->lbJgJogador[1]->text() == "beatriz"; });
    if (argc > 2) {
        QObject::connect(&c, &frmCliente::Tratada, [&](const QByteArray& comando) {
            const CUnPacker& u = CUnPacker::Global();
            if (comando == "cmPrt")
                MostrarMao(
                    *c.frJogo, u.Argumento(1).toInt(),
                    {u.Argumento(2).toInt(), u.Argumento(3).toInt(), u.Argumento(4).toInt()});
        });
        c.frJogo->btJgIniciarJogo->click();
        if (!EsperarAte([&] { return !c.frJogo->pbJgCarta[1]->isHidden(); }))
            return std::fprintf(stderr, "a mão não chegou\n"), 1;
    }
    // Idle in the application's own loop, as the program does.
    const auto ocioso = [&app](int ms) {
        QTimer::singleShot(ms, &app, &QCoreApplication::quit);
        app.exec();
    };
    ocioso(2000);
    const double antes = SegundosDeCpu();
    ocioso(10000);
    std::printf("CPU do cliente parado à mesa%s: %.3f s em 10 s (%.2f %% de um núcleo)\n",
                argc > 2 ? " com a mão distribuída" : "", SegundosDeCpu() - antes,
                (SegundosDeCpu() - antes) * 10.0);
    servidor.terminate();
    servidor.waitForFinished();
    return 0;
}
