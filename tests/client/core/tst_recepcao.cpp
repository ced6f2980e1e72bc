#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Espera.h"
#include "FuncoesComuns.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Versao.h"
#include "frmCliente.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray msg(const char* comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}

QString atualizador()
{
    return QCoreApplication::applicationDirPath() + "/AutoUpdate";
}
} // namespace

// The receive path against a scripted server: cutting the stream, routing, the replies handled
// here and the one error report.
class TstRecepcao : public QObject
{
    Q_OBJECT

    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;
    std::unique_ptr<CaixasGravadas> m_caixas;

    void conectar(const QStringList& argumentos = {"servidor", "127.0.0.1"})
    {
        m_cliente = ClienteDeTeste(*m_servidor, argumentos);
        QVERIFY(m_cliente);
    }

private slots:
    void init()
    {
        m_servidor = new ServidorRoteirizado(this);
        QVERIFY(m_servidor->Escutando());
        m_caixas = std::make_unique<CaixasGravadas>();
    }

    void cleanup()
    {
        m_cliente.reset();
        delete m_servidor;
        m_caixas.reset();
        QFile::remove(atualizador());
    }

    void mensagemPartidaEmQualquerByte()
    {
        conectar();
        // "Olá" travels as Windows-1252: the box shows the accented text.
        const QByteArray m = msg("erCNC", {QByteArray("Ol\xE1")});
        QSignalSpy chegadas(m_cliente->Sock, &QTcpSocket::readyRead);
        for (int k = 1; k < m.size(); ++k) {
            chegadas.clear();
            m_servidor->Enviar(m.first(k));
            QVERIFY(QTest::qWaitFor([&] { return chegadas.count() > 0; }, 10000));
            QVERIFY2(m_caixas->lista.isEmpty(), qPrintable(QString("corte em %1").arg(k)));
            m_servidor->Enviar(m.sliced(k));
            QTRY_COMPARE_WITH_TIMEOUT(m_caixas->lista.size(), 1, 10000);
            QCOMPARE(m_caixas->lista[0].texto, QStringLiteral("Olá"));
            QCOMPARE(m_caixas->lista[0].tipo, Caixas::Tipo::Informacao);
            QCOMPARE(m_caixas->lista[0].titulo, QStringLiteral("Quarpel"));
            m_caixas->lista.clear();
        }
        QVERIFY(!Espera::Encerrando());
    }

    void duasMensagensEMeia()
    {
        conectar();
        const QByteArray c = msg("erCNC", {"C"});
        m_servidor->Enviar(msg("erCNC", {"A"}) + msg("erEnt", {"B"}) + c.first(8));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), (QStringList{"A", "B"}), 10000);
        m_servidor->Enviar(c.sliced(8));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), (QStringList{"A", "B", "C"}), 10000);
    }

    void comandoDesconhecidoEIgnorado()
    {
        conectar();
        // Unknown, one that differs only in case, and one too short to be a command.
        m_servidor->Enviar(msg("xyzzy", {"1", "2"}) + msg("ercnc", {"nao"}) +
                           QByteArray::fromHex("00000007616263") + msg("erCNC", {"depois"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), QStringList{"depois"}, 10000);
        QVERIFY(!Espera::Encerrando());
    }

    // Every command the server sends reaches its reaction; the lobby's and the game's carry
    // well-formed arguments, as their reactions will read them.
    void todoComandoChegaASuaReacao()
    {
        conectar();
        const QList<std::pair<const char*, QList<QByteArray>>> mensagens{
            {"imLoc", {""}},
            {"slInf", {"0"}},
            {"hlInf", {"0"}},
            {"slMsg", {"ana", "oi"}},
            {"jgInf", {"ana", "", "", "", "", "", "", ""}},
            {"cmJog", {}},
            {"cmPrt", {"5", "12", "0", "40"}},
            {"Carta", {"1", "7"}},
            {"Truco", {"1", "3", "bia"}},
            {"tcAct", {}},
            {"rdFim", {"-1", "0", "0"}},
            {"prFim", {"0", "0"}},
            {"cmM11", {"5", "12", "0", "40", "1", "2", "3", "0"}},
            {"esM11", {}},
            {"jgFim", {"0"}},
            {"erCNC", {"a"}},
            {"erEnt", {"b"}},
            {"erCmJ", {"c"}},
            {"okAcc", {}},
            {"okEnt", {"Sala"}},
            {"Setar", {"k", "v"}},
            {"utVer", {kVersaoQuarpel}},
        };
        // Near misses first: they route nowhere.
        QByteArray tudo = msg("Seta ", {"k", "x"}) + msg("SETAR", {"k", "x"});
        QByteArrayList esperados;
        for (const auto& [comando, argumentos] : mensagens) {
            tudo += msg(comando, argumentos);
            esperados << comando;
        }
        QSignalSpy tratadas(m_cliente.get(), &frmCliente::Tratada);
        m_servidor->Enviar(tudo);
        QTRY_COMPARE_WITH_TIMEOUT(tratadas.count(), int(esperados.size()), 30000);
        QByteArrayList vistos;
        for (const QList<QVariant>& t : tratadas)
            vistos << t.at(0).toByteArray();
        QCOMPARE(vistos, esperados);
        QCOMPARE(m_cliente->Variaveis("k"), QStringLiteral("v"));
        QVERIFY(!Espera::Encerrando());
    }

    void versaoIgualMostraAJanela()
    {
        conectar();
        QVERIFY(!m_cliente->isVisible());
        m_servidor->Enviar(msg("utVer", {kVersaoQuarpel}) + msg("erCNC", {"seguinte"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), QStringList{"seguinte"}, 10000);
        QVERIFY(m_cliente->isVisible());
        QVERIFY(!Espera::Encerrando());
    }

    void versaoDiferenteChamaOAtualizador_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::newRow("servidor") << QStringList{"servidor", "127.0.0.1"};
        QTest::newRow("sem linha de comando") << QStringList{};
    }

    void versaoDiferenteChamaOAtualizador()
    {
        QFETCH(QStringList, argumentos);
        QTemporaryDir pasta;
        QVERIFY(pasta.isValid());
        const QString registro = pasta.filePath("argumentos.txt");
        QFile script(atualizador());
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QString("#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } "
                             "> '%1.tmp' && mv '%1.tmp' '%1'\n")
                         .arg(registro)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);

        // With no command line the client goes to its default host, which is this machine.
        conectar(argumentos);
        m_servidor->Enviar(msg("utVer", {"0.0.0.0"}) + msg("erCNC", {"nunca"}));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(registro), 10000);
        QFile lido(registro);
        QVERIFY(lido.open(QIODevice::ReadOnly));
        const QStringList linhas =
            QString::fromUtf8(lido.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(linhas, QStringList{QString::number(argumentos.size())} + argumentos);
        QVERIFY(Espera::Encerrando());
        QVERIFY(m_caixas->lista.isEmpty());
    }

    void semAtualizadorRelataUtVer()
    {
        QFile::remove(atualizador());
        conectar();
        m_servidor->Enviar(msg("utVer", {"0.0.0.0"}) + msg("erCNC", {"nunca"}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(m_caixas->lista.size(), 1);
        const Caixas::Caixa& c = m_caixas->lista[0];
        QCOMPARE(c.tipo, Caixas::Tipo::Relatorio);
        QCOMPARE(c.titulo, QStringLiteral("Quarpel"));
        QVERIFY(c.texto.startsWith("Erro: "));
        QVERIFY(c.texto.endsWith("\r\nComando: utVer"));
        QCOMPARE(c.texto.count("\r\n"), 1);
    }

    void tamanhoImpossivelRelataEEncerra_data()
    {
        QTest::addColumn<QByteArray>("campo");
        QTest::newRow("80 00 00 00") << QByteArray::fromHex("80000000");
        QTest::newRow("zero") << QByteArray::fromHex("00000000");
        QTest::newRow("tres") << QByteArray::fromHex("00000003");
    }

    void tamanhoImpossivelRelataEEncerra()
    {
        QFETCH(QByteArray, campo);
        conectar();
        m_servidor->Enviar(msg("erCNC", {"antes"}) + campo + msg("erCNC", {"nunca"}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(m_caixas->lista.size(), 2);
        QCOMPARE(m_caixas->lista[0].texto, QStringLiteral("antes"));
        // The failure came before a parse: the report names the last command parsed.
        QCOMPARE(m_caixas->lista[1].tipo, Caixas::Tipo::Relatorio);
        QVERIFY(m_caixas->lista[1].texto.startsWith("Erro: "));
        QVERIFY(m_caixas->lista[1].texto.endsWith("\r\nComando: erCNC"));
        QVERIFY(!m_cliente->isVisible());
    }

    void respostaSemArgumentoRelataEEncerra()
    {
        conectar();
        m_cliente->frSalas->setEnabled(false);
        // The reason of the reply before must not stand in for the missing one.
        m_servidor->Enviar(msg("erCNC", {"antes"}) + msg("erEnt") + msg("erCNC", {"nunca"}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(m_caixas->lista.size(), 2);
        QCOMPARE(m_caixas->lista[0].texto, QStringLiteral("antes"));
        QVERIFY(m_caixas->lista[1].texto.endsWith("\r\nComando: erEnt"));
        // The unload let go of the connection: nothing after it can be read.
        QCOMPARE(m_cliente->Sock->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!m_cliente->frSalas->isEnabled());
    }

    void recusasReabilitamATela()
    {
        conectar();
        m_cliente->frCadastro->setEnabled(false);
        m_cliente->frSalas->setEnabled(false);
        m_cliente->frJogo->btJgIniciarJogo->setEnabled(false);
        m_cliente->frJogo->JogoIniciado = true;
        QList<bool> habilitadaNaCaixa;
        m_caixas->aoMostrar = [&](const Caixas::Caixa&) {
            habilitadaNaCaixa << m_cliente->frCadastro->isEnabled()
                              << m_cliente->frSalas->isEnabled();
        };
        m_servidor->Enviar(msg("erCNC", {"Login em uso"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->lista.size(), 1, 10000);
        QVERIFY(m_cliente->frCadastro->isEnabled());
        QVERIFY(!m_cliente->frSalas->isEnabled());
        m_servidor->Enviar(msg("erEnt", {"Sala cheia"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->lista.size(), 2, 10000);
        QVERIFY(m_cliente->frSalas->isEnabled());
        m_servidor->Enviar(msg("erCmJ", {"Faltam jogadores"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->lista.size(), 3, 10000);
        QVERIFY(m_cliente->frJogo->btJgIniciarJogo->isEnabled());
        QVERIFY(!m_cliente->frJogo->JogoIniciado);
        QCOMPARE(m_caixas->Textos(),
                 (QStringList{"Login em uso", "Sala cheia", "Faltam jogadores"}));
        // The screen is enabled only once the box is closed.
        QCOMPARE(habilitadaNaCaixa.mid(0, 4), (QList<bool>{false, false, true, false}));
    }

    void contaCriadaEEntradaNaSala()
    {
        conectar();
        m_cliente->MudarFrame(m_cliente->frCadastro);
        m_cliente->frCadastro->setEnabled(false);
        QWidget* telaNaCaixa = nullptr;
        m_caixas->aoMostrar = [&](const Caixas::Caixa&) { telaNaCaixa = m_cliente->FrameAtual; };
        m_servidor->Enviar(msg("okAcc"));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), QStringList{"Cadastro efetuado!"}, 10000);
        QCOMPARE(telaNaCaixa, m_cliente->frLogin);
        QVERIFY(m_cliente->frCadastro->isEnabled());
        QVERIFY(m_cliente->frLogin->isVisibleTo(m_cliente.get()));
        QVERIFY(m_cliente->frCadastro->isHidden());

        m_cliente->MudarFrame(m_cliente->frSalas);
        m_cliente->frSalas->setEnabled(false);
        m_servidor->Enviar(msg("okEnt", {"Mesa do Z\xE9"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_cliente->FrameAtual, m_cliente->frJogo, 10000);
        QCOMPARE(m_cliente->frJogo->lbJgNomeSala->text(), QStringLiteral("Mesa do Zé"));
        QVERIFY(m_cliente->frSalas->isEnabled());
        QVERIFY(m_cliente->frSalas->isHidden());
        QCOMPARE(m_caixas->lista.size(), 1);
    }

    // A box that waits processes events; what arrives meanwhile is handled after it, once. Qt
    // does not signal the socket again inside its own signal; the second row signals anyway, as
    // a nested wait elsewhere would.
    void dadosDuranteUmaCaixa_data()
    {
        QTest::addColumn<bool>("sinalAninhado");
        QTest::newRow("sem sinal") << false;
        QTest::newRow("com sinal aninhado") << true;
    }

    void dadosDuranteUmaCaixa()
    {
        QFETCH(bool, sinalAninhado);
        conectar();
        const QByteArray depois = msg("erCNC", {"B"}) + msg("Setar", {"Ordem", "depois de B"});
        int caixasNaEspera = -1;
        m_caixas->aoMostrar = [&](const Caixas::Caixa& c) {
            if (c.texto != "A")
                return;
            m_servidor->Enviar(depois);
            QVERIFY(QTest::qWaitFor(
                [&] { return m_cliente->Sock->bytesAvailable() >= depois.size(); }, 10000));
            if (sinalAninhado)
                emit m_cliente->Sock->readyRead();
            caixasNaEspera = int(m_caixas->lista.size());
        };
        m_servidor->Enviar(msg("erCNC", {"A"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), (QStringList{"A", "B"}), 10000);
        QCOMPARE(caixasNaEspera, 1);
        QCOMPARE(m_cliente->Variaveis("Ordem"), QStringLiteral("depois de B"));
        m_servidor->Enviar(msg("erCNC", {"C"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), (QStringList{"A", "B", "C"}), 10000);
    }

    void rajadaDeMensagens()
    {
        conectar();
        QByteArray rajada;
        const int n = 20000;
        for (int i = 1; i <= n; ++i)
            rajada += msg("Setar", {"Contagem", QByteArray::number(i)});
        rajada += msg("erCNC", {"fim"});
        m_servidor->Enviar(rajada);
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), QStringList{"fim"}, 30000);
        QCOMPARE(m_cliente->Variaveis("Contagem"), QString::number(n));
    }
};

QTEST_MAIN(TstRecepcao)
#include "tst_recepcao.moc"
