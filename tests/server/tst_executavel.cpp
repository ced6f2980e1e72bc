// The quarpel-server program: its command line, and signals that close it with the accounts kept.
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "OpcoesLinhaComando.h"
#include "Versao.h"

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
    bool Encerrar(int sinal)
    {
        ::kill(pid_t(p.processId()), sinal);
        return p.waitForFinished(ClienteTeste::kEspera) && p.exitCode() == 0 &&
               (log += p.readAllStandardError()).contains("Servidor encerrado");
    }
};
} // namespace

class TstExecutavel : public QObject
{
    Q_OBJECT
private slots:
    void opcoes()
    {
        const auto r = OpcoesLinhaComando::Analisar(
            {"s", "--porta", "4000", "--endereco", "::1", "--dados", "/tmp/x", "--versao-cliente",
             "2.0.0.1", "--atraso-robo", "0", "--tempo-jogada", "5", "--semente",
             "18446744073709551615"});
        QCOMPARE(r.acao, OpcoesLinhaComando::Acao::Executar);
        const Configuracao& c = r.configuracao;
        QCOMPARE(std::tuple(c.porta, c.endereco, c.pastaDados, c.versaoCliente, c.atrasoRoboMs,
                            c.tempoJogadaS, c.semente),
                 std::tuple(quint16(4000), QHostAddress(QHostAddress::LocalHostIPv6),
                            QString("/tmp/x"), QString("2.0.0.1"), 0, 5,
                            std::optional<quint64>(18446744073709551615ULL)));
        for (const QStringList& errado : QList<QStringList>{
                 {"--porta", "65536"}, {"--endereco", "300.1.1.1"}, {"--atraso-robo", "-1"},
                 {"--tempo-jogada", "0"}, {"--semente", "abc"}, {"--dados", ""}, {"sobrando"}})
            QCOMPARE(OpcoesLinhaComando::Analisar(QStringList{"s"} + errado).acao,
                     OpcoesLinhaComando::Acao::Erro);
        Processo versao({"--version"}), erro({"--porta", "nada"});
        QVERIFY(versao.p.waitForFinished() && erro.p.waitForFinished());
        QCOMPARE(versao.p.readAllStandardOutput().trimmed(), QByteArray("quarpel-server ") + kVersaoQuarpel);
        QCOMPARE(erro.p.exitCode(), 2);
    }

    void sinaisEncerramLimpoEAsContasFicam()
    {
        QTemporaryDir pasta;
        const QStringList argumentos{"--porta", "0", "--endereco", "127.0.0.1", "--dados",
                                     pasta.filePath("dados"), "--hash-minimo"};
        {
            Processo servidor(argumentos);
            auto c = servidor.Cliente();
            QVERIFY(c && c->CriarConta("sobrevive", "senha1"));
            QVERIFY(servidor.Encerrar(SIGTERM));
            QVERIFY(c->EsperarDesconexao());
            // Every line carries its date and time.
            static const QRegularExpression data("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:");
            for (const QString& linha : servidor.log.split(u'\n', Qt::SkipEmptyParts))
                QVERIFY2(data.match(linha).hasMatch(), qPrintable(linha));
        }
        std::vector<std::unique_ptr<ClienteTeste>> cs;
        {
            // Sign-ups at once are committed in groups; a kill right after the last "okAcc"
            // leaves no chance to close the database, and every acknowledged account is there.
            Processo servidor(argumentos);
            for (int i = 0; i < 12; ++i) {
                cs.push_back(servidor.Cliente());
                QVERIFY(cs.back());
                cs.back()->EnviarTextos("nvAcc",
                                        {"Morto", QString("morto%1").arg(i), "senha1", "m@q.br"});
            }
            for (auto& c : cs)
                QVERIFY(c->Esperar("okAcc"));
        }
        Processo servidor(argumentos);
        auto c = servidor.Cliente();
        QVERIFY(c);
        QCOMPARE(c->Logar("sobrevive", "senha1"), "sobrevive");
        for (int i = 0; i < 12; ++i) {
            auto d = servidor.Cliente();
            QCOMPARE(d->Logar(QString("morto%1").arg(i), "senha1"), QString("morto%1").arg(i));
        }
        QVERIFY(servidor.Encerrar(SIGINT));
    }
};

QTEST_GUILESS_MAIN(TstExecutavel)
#include "tst_executavel.moc"
