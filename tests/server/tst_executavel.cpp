// The quarpel-server program: acknowledged accounts survive a kill -9, a signal closes it, and a
// low limit of file descriptors neither makes it spin nor loses anyone; with PostgreSQL, a stalled
// or killed process' players are let in on another once its lease runs out, and leave its lobby.
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "PostgresTeste.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>

namespace {
// The built server on 127.0.0.1 and a free port; Cliente connects once its log names the port.
struct Processo
{
    QProcess p;
    QString log;

    // With descritores, the soft and hard limits of file descriptors it starts with.
    explicit Processo(const QStringList& argumentos, std::pair<rlim_t, rlim_t> descritores = {})
    {
        if (descritores.first)
            p.setChildProcessModifier([descritores] {
                const rlimit r{descritores.first, descritores.second};
                setrlimit(RLIMIT_NOFILE, &r);
            });
        p.start(QUARPEL_SERVIDOR, argumentos);
    }
    ~Processo() { p.kill(), p.waitForFinished(); }

    std::unique_ptr<ClienteTeste> Cliente()
    {
        static const QRegularExpression re("porta (\\d+);");
        EsperarAte([&] { return re.match(log += p.readAllStandardError()).hasMatch(); });
        auto c = std::make_unique<ClienteTeste>();
        return c->Conectar(re.match(log).captured(1).toUShort()) ? std::move(c) : nullptr;
    }
    // CPU ticks it has used so far.
    qint64 Cpu() const
    {
        QFile f(QStringLiteral("/proc/%1/stat").arg(p.processId()));
        const QByteArray s = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        const QList<QByteArray> campos = s.mid(s.lastIndexOf(')') + 2).split(' ');
        return campos.value(11).toLongLong() + campos.value(12).toLongLong();
    }
};
} // namespace

class TstExecutavel : public QObject
{
    Q_OBJECT
private slots:
    void contasSobrevivemAoKillESinalEncerra()
    {
        QTemporaryDir pasta;
        const QStringList argumentos{"--porta",      "0",       "--endereco",
                                     "127.0.0.1",    "--dados", pasta.filePath("dados"),
                                     "--hash-minimo"};
        const auto login = [](int i) { return QStringLiteral("morto%1").arg(i); };
        std::vector<std::unique_ptr<ClienteTeste>> cs;
        {
            // Sign-ups at once are committed in groups; a kill -9 right after the last "okAcc"
            // leaves no chance to close the database, and every acknowledged account is there.
            Processo servidor(argumentos);
            for (int i = 0; i < 12; ++i) {
                cs.push_back(servidor.Cliente());
                QVERIFY(cs.back());
                cs.back()->EnviarTextos("nvAcc", {"Morto", login(i), "senha1", "m@q.br"});
            }
            for (auto& c : cs)
                QVERIFY(c->Esperar("okAcc"));
        }
        Processo servidor(argumentos);
        for (int i = 0; i < 12; ++i) {
            auto c = servidor.Cliente();
            QVERIFY(c);
            QCOMPARE(c->Logar(login(i), "senha1"), login(i));
        }
        // A peer's text never makes a line of its own in the log.
        auto c = servidor.Cliente();
        QVERIFY(c && c->Logar("x", "y", "1\r\n2\r3").startsWith('_'));
        // A crash on the way out (a worker thread still closing its database) shows as a signal.
        ::kill(pid_t(servidor.p.processId()), SIGTERM);
        const bool terminou = servidor.p.waitForFinished(ClienteTeste::kEspera);
        const QString saida =
            QStringLiteral("saída %1/%2: ").arg(servidor.p.exitStatus()).arg(servidor.p.exitCode());
        servidor.log += servidor.p.readAllStandardError();
        QVERIFY2(terminou && servidor.p.exitStatus() == QProcess::NormalExit &&
                     servidor.p.exitCode() == 0,
                 qPrintable(saida + servidor.log.right(300)));
        QVERIFY(servidor.log.contains("Servidor encerrado"));
        QVERIFY(servidor.log.contains("1  2 3") && !servidor.log.contains('\r'));
    }

    // 64 descriptors and more clients than fit. With the connection limit left to the
    // descriptors, the oldest give their places; set above them, the extra ones wait in the
    // kernel's queue; with a higher hard limit, the server raises its own and serves everyone.
    // It does not spin meanwhile, and once the first ones leave, whoever still waits is served.
    void poucosDescritores()
    {
        // The hard limit, the server's options, how many clients, what its log says when full.
        const std::tuple<rlim_t, QStringList, int, QString> casos[] = {
            {64, {}, 80, "faltam vagas"},
            {64, {"--max-conexoes", "1000"}, 80, "Sem descritores de arquivo (limite de 64)"},
            {4096, {}, 150, ""}};
        for (const auto& [rigido, extras, clientes, noLog] : casos) {
            QTemporaryDir pasta;
            Processo servidor(QStringList{"--porta", "0", "--endereco", "127.0.0.1", "--dados",
                                          pasta.filePath("dados")} +
                                  extras,
                              {64, rigido});
            std::vector<std::unique_ptr<ClienteTeste>> cs;
            for (int i = 0; i < clientes; ++i) {
                cs.push_back(servidor.Cliente());
                QVERIFY(cs.back());
                cs.back()->Enviar("obVer");
            }
            const auto atendido = [](auto& c) { return !c->NaoLidas("utVer").isEmpty(); };
            const auto cheio = [&] {
                servidor.log += servidor.p.readAllStandardError();
                return noLog.isEmpty() ? std::all_of(cs.begin(), cs.end(), atendido)
                                       : servidor.log.contains(noLog);
            };
            // Its CPU over 2 s once full (a server that spins may never say it is full).
            const bool disse = EsperarAte(cheio);
            const qint64 antes = servidor.Cpu();
            QTest::qWait(2000);
            const qint64 ticks = servidor.Cpu() - antes;
            QVERIFY2(ticks < 20, qPrintable(QStringLiteral("%1 ticks em 2 s").arg(ticks)));
            QVERIFY2(disse, qPrintable(extras.join(' ')));
            std::erase_if(cs, atendido);
            cs.push_back(servidor.Cliente());
            cs.back()->Enviar("obVer");
            QVERIFY(EsperarAte([&] {
                return std::all_of(cs.begin(), cs.end(),
                                   [&](auto& c) { return atendido(c) || !c->Conectado(); });
            }));
            QVERIFY(atendido(cs.back()));
        }
    }

    // Help, and an option out of its range (after one at the top of its own), start nothing.
    void ajudaEErroNaoIniciamServidor()
    {
        const std::tuple<QStringList, int, QByteArray> casos[] = {
            {{"--help-all"}, 0, "--max-conexoes"},
            {{"--validade-presenca", "3600", "--tempo-jogada", "0"}, 2, "Tempo de jogada inválido"},
            {{"--cpu-robos", "101"}, 2, "Parte de CPU dos robôs inválida"}};
        for (const auto& [argumentos, status, texto] : casos) {
            QProcess p;
            p.start(QUARPEL_SERVIDOR, argumentos);
            QVERIFY(p.waitForFinished(ClienteTeste::kEspera) && p.exitCode() == status);
            QVERIFY((p.readAllStandardOutput() + p.readAllStandardError()).contains(texto));
        }
    }

    void processoParadoOuMortoNoBanco()
    {
        const QString cluster = PostgresTeste::Compartilhado();
        if (cluster.isEmpty())
            QSKIP("sem o PostgreSQL dos testes: rode pelo ctest");
        const QString banco = PostgresTeste::NovoBanco(cluster);
        QTemporaryDir pasta;
        QVERIFY(!banco.isEmpty() && pasta.isValid());
        // A lease of 3 s instead of 30, so that the test does not wait long.
        QStringList argumentos{"--porta", "0", "--endereco", "127.0.0.1", "--hash-minimo"};
        argumentos << "--dados" << pasta.path() << "--banco" << banco << "--validade-presenca"
                   << "3";
        Processo a(argumentos), b(argumentos);
        std::unique_ptr<ClienteTeste> jogadores[2];
        for (auto& j : jogadores)
            QVERIFY((j = a.Cliente()) &&
                    j->CriarConta(&j == jogadores ? "ficou" : "parado", "senha1"));
        QCOMPARE(jogadores[0]->Logar("ficou", "senha1"), "ficou");
        QCOMPARE(jogadores[1]->Logar("parado", "senha1"), "parado");
        // A login is tried again every quarter second until it passes: nothing else wakes the
        // wait.
        QTimer pulso;
        pulso.start(250);
        const auto entra = [](ClienteTeste& c, const QString& login) {
            return EsperarAte([&] { return c.Logar(login, "senha1") == login; }, 15000);
        };

        // A stalled past its lease: B lets one of its players in, and A, awake again, gives him
        // up and keeps the other.
        auto outro = b.Cliente();
        QVERIFY(outro);
        ::kill(pid_t(a.p.processId()), SIGSTOP);
        QVERIFY(entra(*outro, "parado"));
        ::kill(pid_t(a.p.processId()), SIGCONT);
        QVERIFY(jogadores[1]->EsperarDesconexao());
        QVERIFY(jogadores[0]->Sincronizar());
        // B's lobby lists A's player again once A renews; and no more once A is killed.
        const auto listado = [&](bool sim) {
            return EsperarAte(
                [&] {
                    const QList<MensagemTeste> l = outro->NaoLidas("hlInf");
                    return !l.isEmpty() && l.last().argumentos.contains("ficou") == sim;
                },
                15000);
        };
        QVERIFY(listado(true));

        // A kill -9 in the middle of a crowd of sign-ups: whatever was acknowledged is there.
        std::vector<std::unique_ptr<ClienteTeste>> cs;
        for (int i = 0; i < 24; ++i) {
            cs.push_back(a.Cliente());
            QVERIFY(cs.back());
        }
        for (int i = 0; i < 24; ++i)
            cs[i]->EnviarTextos("nvAcc",
                                {"Morto", QStringLiteral("morto%1").arg(i), "senha1", "m@q.br"});
        const auto confirmadas = [&] {
            QStringList r;
            for (int i = 0; i < 24; ++i)
                if (!cs[i]->NaoLidas("okAcc").isEmpty())
                    r << QStringLiteral("morto%1").arg(i);
            return r;
        };
        QVERIFY(EsperarAte([&] { return confirmadas().size() >= 4; }));
        a.p.kill();
        QVERIFY(listado(false));
        for (auto& c : cs)
            QVERIFY(c->EsperarDesconexao());
        for (const QString& login : confirmadas()) {
            auto c = b.Cliente();
            QVERIFY(c);
            QCOMPARE(c->Logar(login, "senha1"), login);
        }
        // His login stays held while A's lease lasts, then B lets him in.
        auto volta = b.Cliente();
        QVERIFY(volta && entra(*volta, "ficou"));
    }
};

QTEST_GUILESS_MAIN(TstExecutavel)
#include "tst_executavel.moc"
