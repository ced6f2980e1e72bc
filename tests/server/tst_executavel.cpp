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

// The built quarpel-server on 127.0.0.1 and a free port.
class Processo
{
public:
    explicit Processo(const QString& dados)
    {
        m_p.setProgram(QStringLiteral(QUARPEL_SERVIDOR));
        m_p.setArguments(
            {"--porta", "0", "--endereco", "127.0.0.1", "--dados", dados, "--hash-minimo"});
        m_p.start();
    }
    ~Processo()
    {
        if (m_p.state() != QProcess::NotRunning) {
            m_p.kill();
            m_p.waitForFinished();
        }
    }

    // A client connected to it once its log names the port.
    std::unique_ptr<ClienteTeste> Cliente()
    {
        static const QRegularExpression re("porta (\\d+);");
        EsperarAte(
            [&] {
                m_log += QString::fromUtf8(m_p.readAllStandardError());
                return re.match(m_log).hasMatch() || m_p.state() == QProcess::NotRunning;
            },
            ClienteTeste::kEspera);
        auto c = std::make_unique<ClienteTeste>();
        const auto porta = re.match(m_log).captured(1).toUShort();
        return porta && c->Conectar(porta) ? std::move(c) : nullptr;
    }

    bool Encerrar(int sinal)
    {
        ::kill(pid_t(m_p.processId()), sinal);
        if (!m_p.waitForFinished(ClienteTeste::kEspera))
            return false;
        m_log += QString::fromUtf8(m_p.readAllStandardError());
        return m_p.exitStatus() == QProcess::NormalExit && m_p.exitCode() == 0;
    }

    QString Log() const { return m_log; }

private:
    QProcess m_p;
    QString m_log;
};

struct Saida
{
    int codigo;
    QString saida;
    QString erro;
};

Saida Rodar(const QStringList& argumentos)
{
    QProcess p;
    p.start(QStringLiteral(QUARPEL_SERVIDOR), argumentos);
    if (!p.waitForFinished(ClienteTeste::kEspera))
        return {-1, {}, {}};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TstExecutavel : public QObject
{
    Q_OBJECT
private slots:
    void opcoes()
    {
        using A = OpcoesLinhaComando::Acao;
        const auto padrao = OpcoesLinhaComando::Analisar({"quarpel-server"});
        QCOMPARE(padrao.acao, A::Executar);
        QCOMPARE(padrao.configuracao.porta, quint16(33500));
        QCOMPARE(padrao.configuracao.endereco, QHostAddress(QHostAddress::AnyIPv4));
        QCOMPARE(padrao.configuracao.versaoCliente, QString::fromLatin1(kVersaoQuarpel));
        QCOMPARE(padrao.configuracao.atrasoRoboMs, 800);
        QCOMPARE(padrao.configuracao.tempoJogadaS, 60);
        QVERIFY(!padrao.configuracao.semente);
        QVERIFY(!padrao.configuracao.pastaDados.isEmpty());
        QCOMPARE(padrao.configuracao.custoSenha, HashSenha::Custo::Interativo);

        const auto r = OpcoesLinhaComando::Analisar(
            {"s", "--porta", "4000", "--endereco", "::1", "--dados", "/tmp/x", "--versao-cliente",
             "2.0.0.1", "--atraso-robo", "0", "--tempo-jogada", "5", "--semente",
             "18446744073709551615"});
        QCOMPARE(r.acao, A::Executar);
        QCOMPARE(r.configuracao.porta, quint16(4000));
        QCOMPARE(r.configuracao.endereco, QHostAddress(QHostAddress::LocalHostIPv6));
        QCOMPARE(r.configuracao.pastaDados, "/tmp/x");
        QCOMPARE(r.configuracao.versaoCliente, "2.0.0.1");
        QCOMPARE(r.configuracao.atrasoRoboMs, 0);
        QCOMPARE(r.configuracao.tempoJogadaS, 5);
        QCOMPARE(r.configuracao.semente, std::optional<quint64>(18446744073709551615ULL));

        for (const QStringList& errado : QList<QStringList>{{"--porta", "65536"},
                                                            {"--porta", "x"},
                                                            {"--endereco", "300.1.1.1"},
                                                            {"--atraso-robo", "-1"},
                                                            {"--tempo-jogada", "0"},
                                                            {"--semente", "abc"},
                                                            {"--dados", ""},
                                                            {"--desconhecida"},
                                                            {"sobrando"}}) {
            const auto e = OpcoesLinhaComando::Analisar(QStringList{"s"} + errado);
            QCOMPARE(e.acao, A::Erro);
            QVERIFY(!e.texto.isEmpty());
        }
    }

    void ajudaEVersao()
    {
        const Saida versao = Rodar({"--version"});
        QCOMPARE(versao.codigo, 0);
        QCOMPARE(versao.saida.trimmed(), QString("quarpel-server ") + kVersaoQuarpel);
        const Saida ajuda = Rodar({"--help"});
        QCOMPARE(ajuda.codigo, 0);
        for (const char* opcao : {"--porta", "--endereco", "--dados", "--versao-cliente",
                                  "--atraso-robo", "--tempo-jogada", "--semente"})
            QVERIFY2(ajuda.saida.contains(QLatin1String(opcao)), opcao);
        const Saida erro = Rodar({"--porta", "nada"});
        QCOMPARE(erro.codigo, 2);
        QVERIFY2(erro.erro.contains("Porta inválida"), qPrintable(erro.erro));
    }

    void sinaisEncerramLimpoEAsContasFicam()
    {
        QTemporaryDir pasta;
        const QString dados = pasta.filePath("dados");
        {
            Processo servidor(dados);
            auto c = servidor.Cliente();
            QVERIFY2(c, qPrintable(servidor.Log()));
            QVERIFY(c->CriarConta("sobrevive", "senha1") &&
                    c->LogarNoSaguao("sobrevive", "senha1"));
            QVERIFY(servidor.Encerrar(SIGTERM));
            QVERIFY(c->EsperarDesconexao());
            QVERIFY(servidor.Log().contains("Servidor encerrado"));
            // Every line carries its date and time.
            static const QRegularExpression data("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:");
            for (const QString& linha : servidor.Log().split(u'\n', Qt::SkipEmptyParts))
                QVERIFY2(data.match(linha).hasMatch(), qPrintable(linha));
        }
        {
            // A kill leaves no chance to close the database; the account is still there.
            Processo servidor(dados);
            auto c = servidor.Cliente();
            QVERIFY(c && c->CriarConta("morto", "senha1"));
        }
        Processo servidor(dados);
        auto c = servidor.Cliente(), d = servidor.Cliente();
        QVERIFY(c && d);
        QCOMPARE(c->Logar("sobrevive", "senha1"), "sobrevive");
        QCOMPARE(d->Logar("morto", "senha1"), "morto");
        QVERIFY(servidor.Encerrar(SIGINT));
    }
};

QTEST_GUILESS_MAIN(TstExecutavel)
#include "tst_executavel.moc"
