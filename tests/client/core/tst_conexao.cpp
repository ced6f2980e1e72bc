#include "Bancada.h"
#include "CPacker.h"
#include "Espera.h"
#include "FuncoesComuns.h"
#include "TelaLogin.h"

#include <QPushButton>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

// Start-up, the connection, its loss, and the unload that ends the program.
class TstConexao : public QObject
{
    Q_OBJECT

private slots:
    void init() { Espera::Reiniciar(); }

    void hostDaLinhaDeComando()
    {
        for (const auto& [linha, host] : QList<std::pair<QString, QString>>{
                 {"", "localhost"}, {"servidor:jogo.example", "jogo.example"},
                 {"Servidor 10.0.0.5", "localhost"}, {"-x servidor 10.0.0.5", "localhost"}})
            QCOMPARE(frmCliente::HostDoServidor(linha), host);
    }

    // The load clears what an earlier window left, connects, asks for the version and points the
    // one message builder at this window's socket.
    void cargaConectaEPrepara()
    {
        CaixasGravadas caixas;
        {
            ServidorRoteirizado anterior;
            auto velho = ClienteDeTeste(anterior);
            QVERIFY(velho);
            velho->SetVariaveis("Login", "sobra de antes");
        }
        Espera::Reiniciar();
        ServidorRoteirizado servidor;
        frmCliente c({"servidor", "127.0.0.1"}, servidor.Porta());
        c.Form_Load();
        QVERIFY(!Espera::Encerrando());
        QVERIFY(servidor.AguardarConexao() && servidor.AguardarBytes(10));
        QCOMPARE(servidor.Recebido(), QByteArray::fromHex("0000000A6F6256657200"));
        QCOMPARE(c.FrameAtual, c.frLogin);
        QVERIFY(caixas.lista.isEmpty());

        QCOMPARE(c.Variaveis("Hosting"), QStringLiteral("False"));
        QCOMPARE(c.Variaveis("JogLocal"), QStringLiteral("1"));
        CPacker::Global().SetArgumentos(1);
        CPacker::Global().SetArgumento(1, "abc");
        CPacker::Global().Enviar("slBla");
        CPacker::Global().Enviar("obVer");
        QVERIFY(servidor.AguardarBytes(10 + 17 + 10));
        QCOMPARE(servidor.Recebido().sliced(10),
                 QByteArray::fromHex("00000011736C426C6101000000036162630000000A6F6256657200"));
    }

    // After the end the load does not even try; with no server it says so and ends.
    void cargaSemConexao()
    {
        CaixasGravadas caixas;
        ServidorRoteirizado servidor;
        Espera::Encerrar();
        frmCliente depoisDoFim({"servidor", "127.0.0.1"}, servidor.Porta());
        depoisDoFim.Form_Load();
        QCOMPARE(depoisDoFim.Sock->state(), QAbstractSocket::UnconnectedState);
        QCoreApplication::processEvents();
        QVERIFY(!servidor.Conexao());
        QVERIFY(caixas.lista.isEmpty());

        Espera::Reiniciar();
        frmCliente cliente({"servidor", "127.0.0.1"}, ServidorRoteirizado().Porta());
        cliente.Form_Load();
        QVERIFY(Espera::Encerrando());
        QCOMPARE(caixas.Textos(), QStringList{"Servidor não encontrado!"});
        QVERIFY(!cliente.isVisible());
    }

    // Lost while a reaction shows its box, the connection is reported once that pass ends.
    void conexaoPerdida_data()
    {
        QTest::addColumn<bool>("duranteACaixa");
        QTest::newRow("depois do que chegou") << false;
        QTest::newRow("durante uma caixa") << true;
    }

    void conexaoPerdida()
    {
        QFETCH(bool, duranteACaixa);
        Bancada b;
        QVERIFY(b.cliente);
        b.caixas.aoMostrar = [&](const Caixas::Caixa& c) {
            if (!duranteACaixa || c.texto != "A")
                return;
            b.servidor.Conexao()->abort();
            QVERIFY(QTest::qWaitFor(
                [&] { return b.cliente->Sock->state() == QAbstractSocket::UnconnectedState; },
                10000));
            QVERIFY(!Espera::Encerrando());
        };
        b.servidor.Enviar(MontarMensagem("erCNC", {"A"}));
        if (!duranteACaixa)
            b.servidor.Fechar();
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(b.caixas.Textos(), (QStringList{"A", "Conexão com o servidor perdida."}));
    }

    void fecharEncerraOLacoDoPrograma()
    {
        Bancada b;
        QVERIFY(b.cliente);
        b.cliente->show();
        bool esperaTerminou = false;
        QTimer::singleShot(0, b.cliente.get(), [&] {
            // A wait that nothing else would end.
            QTimer::singleShot(0, b.cliente->btFechar, &QPushButton::click);
            Espera::Aguardar([] { return false; });
            esperaTerminou = true;
        });
        QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(esperaTerminou);
        QVERIFY(Espera::Encerrando());
        QVERIFY(!b.cliente->isVisible());
        QCOMPARE(b.cliente->Sock->state(), QAbstractSocket::UnconnectedState);
        // Closing is not a lost connection.
        QVERIFY(b.caixas.lista.isEmpty());
    }
};

QTEST_MAIN(TstConexao)
#include "tst_conexao.moc"
