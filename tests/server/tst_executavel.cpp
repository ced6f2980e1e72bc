// The quarpel-server program: acknowledged accounts survive a kill -9, and a signal closes it.
#include "ClienteTeste.h"
#include "EsperarAte.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
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
};

QTEST_GUILESS_MAIN(TstExecutavel)
#include "tst_executavel.moc"
