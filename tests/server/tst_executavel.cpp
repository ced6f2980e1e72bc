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

// The built quarpel-server on 127.0.0.1 and a free port, its port read from its log.
class Processo
{
public:
    explicit Processo(const QString& dados)
    {
        m_p.setProgram(QStringLiteral(QUARPEL_SERVIDOR));
        m_p.setArguments({QStringLiteral("--porta"), QStringLiteral("0"),
                          QStringLiteral("--endereco"), QStringLiteral("127.0.0.1"),
                          QStringLiteral("--dados"), dados, QStringLiteral("--hash-minimo")});
        m_p.start();
    }
    ~Processo()
    {
        if (m_p.state() != QProcess::NotRunning) {
            m_p.kill();
            m_p.waitForFinished();
        }
    }

    quint16 Porta()
    {
        static const QRegularExpression re(QStringLiteral("porta (\\d+);"));
        const bool pronto = EsperarAte(
            [&] {
                m_log += QString::fromUtf8(m_p.readAllStandardError());
                return re.match(m_log).hasMatch() || m_p.state() == QProcess::NotRunning;
            },
            ClienteTeste::kEspera);
        if (!pronto)
            return 0;
        return quint16(re.match(m_log).captured(1).toUInt());
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
        const auto padrao = OpcoesLinhaComando::Analisar({QStringLiteral("quarpel-server")});
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
            {QStringLiteral("s"), QStringLiteral("--porta"), QStringLiteral("4000"),
             QStringLiteral("--endereco"), QStringLiteral("::1"), QStringLiteral("--dados"),
             QStringLiteral("/tmp/x"), QStringLiteral("--versao-cliente"),
             QStringLiteral("2.0.0.1"), QStringLiteral("--atraso-robo"), QStringLiteral("0"),
             QStringLiteral("--tempo-jogada"), QStringLiteral("5"), QStringLiteral("--semente"),
             QStringLiteral("18446744073709551615")});
        QCOMPARE(r.acao, A::Executar);
        QCOMPARE(r.configuracao.porta, quint16(4000));
        QCOMPARE(r.configuracao.endereco, QHostAddress(QHostAddress::LocalHostIPv6));
        QCOMPARE(r.configuracao.pastaDados, QStringLiteral("/tmp/x"));
        QCOMPARE(r.configuracao.versaoCliente, QStringLiteral("2.0.0.1"));
        QCOMPARE(r.configuracao.atrasoRoboMs, 0);
        QCOMPARE(r.configuracao.tempoJogadaS, 5);
        QCOMPARE(r.configuracao.semente, std::optional<quint64>(18446744073709551615ULL));

        for (const QStringList& errado :
             {QStringList{"--porta", "65536"}, QStringList{"--porta", "x"},
              QStringList{"--endereco", "300.1.1.1"}, QStringList{"--atraso-robo", "-1"},
              QStringList{"--tempo-jogada", "0"}, QStringList{"--semente", "abc"},
              QStringList{"--dados", ""}, QStringList{"--desconhecida"}, QStringList{"sobrando"}}) {
            const auto e = OpcoesLinhaComando::Analisar(QStringList{"s"} + errado);
            QCOMPARE(e.acao, A::Erro);
            QVERIFY(!e.texto.isEmpty());
        }
    }

    void ajudaEVersao()
    {
        const Saida versao = Rodar({QStringLiteral("--version")});
        QCOMPARE(versao.codigo, 0);
        QCOMPARE(versao.saida.trimmed(),
                 QStringLiteral("quarpel-server %1").arg(QString::fromLatin1(kVersaoQuarpel)));
        const Saida ajuda = Rodar({QStringLiteral("--help")});
        QCOMPARE(ajuda.codigo, 0);
        for (const char* opcao : {"--porta", "--endereco", "--dados", "--versao-cliente",
                                  "--atraso-robo", "--tempo-jogada", "--semente"})
            QVERIFY2(ajuda.saida.contains(QLatin1String(opcao)), opcao);
        const Saida erro = Rodar({QStringLiteral("--porta"), QStringLiteral("nada")});
        QCOMPARE(erro.codigo, 2);
        QVERIFY2(erro.erro.contains(QStringLiteral("Porta inválida")), qPrintable(erro.erro));
    }

    void sinaisEncerramLimpoEAsContasFicam()
    {
        QTemporaryDir pasta;
        const QString dados = pasta.filePath(QStringLiteral("dados"));
        {
            Processo servidor(dados);
            const quint16 porta = servidor.Porta();
            QVERIFY2(porta != 0, qPrintable(servidor.Log()));
            ClienteTeste c;
            QVERIFY(c.Conectar(porta));
            QVERIFY(c.CriarConta(QStringLiteral("sobrevive"), QStringLiteral("senha1")));
            QVERIFY(c.LogarNoSaguao(QStringLiteral("sobrevive"), QStringLiteral("senha1")));
            QVERIFY(servidor.Encerrar(SIGTERM));
            QVERIFY(c.EsperarDesconexao());
            QVERIFY(servidor.Log().contains(QLatin1String("Servidor encerrado")));
            // Every line carries its date and time.
            static const QRegularExpression data(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:"));
            for (const QString& linha : servidor.Log().split(u'\n', Qt::SkipEmptyParts))
                QVERIFY2(data.match(linha).hasMatch(), qPrintable(linha));
        }
        {
            // A kill leaves no chance to close the database; the account is still there.
            Processo servidor(dados);
            const quint16 porta = servidor.Porta();
            QVERIFY(porta != 0);
            ClienteTeste c;
            QVERIFY(c.Conectar(porta));
            QVERIFY(c.CriarConta(QStringLiteral("morto"), QStringLiteral("senha1")));
        }
        Processo servidor(dados);
        const quint16 porta = servidor.Porta();
        QVERIFY(porta != 0);
        ClienteTeste c;
        QVERIFY(c.Conectar(porta));
        QCOMPARE(c.Logar(QStringLiteral("sobrevive"), QStringLiteral("senha1")),
                 QStringLiteral("sobrevive"));
        ClienteTeste d;
        QVERIFY(d.Conectar(porta));
        QCOMPARE(d.Logar(QStringLiteral("morto"), QStringLiteral("senha1")),
                 QStringLiteral("morto"));
        QVERIFY(servidor.Encerrar(SIGINT));
    }
};

QTEST_GUILESS_MAIN(TstExecutavel)
#include "tst_executavel.moc"
