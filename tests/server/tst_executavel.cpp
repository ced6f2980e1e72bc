// The quarpel-server program: acknowledged accounts survive a kill -9, and a signal closes it;
// with PostgreSQL, a stalled or killed process' players are let in on another once its lease
// runs out.
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "PostgresTeste.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

namespace {
// The built server on 127.0.0.1 and a free port; Cliente connects once its log names the port.
struct Processo
{
    QProcess p;
    QString log;

    explicit Processo(const QStringList& argumentos) { p.start(QUARPEL_SERVIDOR, argumentos); }
    ~Processo() { p.kill(), p.waitForFinished(); }

    std::unique_ptr<ClienteTeste> Cliente()
    {
        static const QRegularExpression re("porta (\\d+);");
        EsperarAte([&] { return re.match(log += p.readAllStandardError()).hasMatch(); });
        auto c = std::make_unique<ClienteTeste>();
        return c->Conectar(re.match(log).captured(1).toUShort()) ? std::move(c) : nullptr;
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
        ::kill(pid_t(servidor.p.processId()), SIGTERM);
        QVERIFY(servidor.p.waitForFinished(ClienteTeste::kEspera) && servidor.p.exitCode() == 0);
        QVERIFY((servidor.log += servidor.p.readAllStandardError()).contains("Servidor encerrado"));
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
