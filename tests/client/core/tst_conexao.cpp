#include "CPacker.h"
#include "CaixaFigura.h"
#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Espera.h"
#include "FuncoesComuns.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "frmCliente.h"

#include <QApplication>
#include <QPushButton>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

// Start-up, the connection, its loss, and the unload that ends the program.
class TstConexao : public QObject
{
    Q_OBJECT

    std::unique_ptr<CaixasGravadas> m_caixas;

private slots:
    void init()
    {
        Espera::Reiniciar();
        m_caixas = std::make_unique<CaixasGravadas>();
    }

    void cleanup() { m_caixas.reset(); }

    void hostDaLinhaDeComando_data()
    {
        QTest::addColumn<QString>("linha");
        QTest::addColumn<QString>("host");
        QTest::newRow("vazia") << ""
                               << "localhost";
        QTest::newRow("servidor") << "servidor 10.0.0.5"
                                  << "10.0.0.5";
        QTest::newRow("outro separador") << "servidor:jogo.example"
                                         << "jogo.example";
        QTest::newRow("maiuscula") << "Servidor 10.0.0.5"
                                   << "localhost";
        QTest::newRow("outra opcao") << "-x servidor 10.0.0.5"
                                     << "localhost";
    }

    void hostDaLinhaDeComando()
    {
        QFETCH(QString, linha);
        QFETCH(QString, host);
        QCOMPARE(frmCliente::HostDoServidor(linha), host);
    }

    void cargaConectaEPedeAVersao()
    {
        ServidorRoteirizado servidor;
        frmCliente cliente({"servidor", "127.0.0.1"}, servidor.Porta());
        cliente.Form_Load();
        QVERIFY(!Espera::Encerrando());
        QVERIFY(servidor.AguardarConexao());
        QVERIFY(servidor.AguardarBytes(10));
        QCOMPARE(servidor.Recebido(), QByteArray::fromHex("0000000A6F6256657200"));
        QCOMPARE(cliente.Sock->peerName(), QStringLiteral("127.0.0.1"));
        QCOMPARE(cliente.FrameAtual, cliente.frLogin);
        QCOMPARE(cliente.windowTitle(), QStringLiteral("Quarpel"));
        QVERIFY(m_caixas->lista.isEmpty());

        // The one builder now writes to this window's socket.
        CPacker::Global().SetArgumentos(1);
        CPacker::Global().SetArgumento(1, "abc");
        CPacker::Global().Enviar("slBla");
        CPacker::Global().Enviar("obVer");
        QVERIFY(servidor.AguardarBytes(10 + 17 + 10));
        QCOMPARE(servidor.Recebido().sliced(10),
                 QByteArray::fromHex("00000011736C426C6101000000036162630000000A6F6256657200"));
    }

    void cargaPreparaCamposEVariaveis()
    {
        ServidorRoteirizado servidor;
        auto cliente = ClienteDeTeste(servidor);
        QVERIFY(cliente);
        cliente->SetVariaveis("Login", "sobra de antes");
        cliente.reset();
        ServidorRoteirizado outro;
        cliente = ClienteDeTeste(outro);
        QVERIFY(cliente);

        const QStringList vazias{"Login", "Jogador1", "Jogador2", "Jogador3", "Jogador4"};
        for (const QString& chave : vazias)
            QCOMPARE(cliente->Variaveis(chave), QString());
        QCOMPARE(cliente->Variaveis("Hosting"), QStringLiteral("False"));
        QCOMPARE(cliente->Variaveis("JogLocal"), QStringLiteral("1"));
        for (const char* chave : {"Parcial0", "Parcial1", "Total0", "Total1"})
            QCOMPARE(cliente->Variaveis(chave), QStringLiteral("0"));

        QCOMPARE(cliente->AvisoJanela.cbSize, 20u);
        QCOMPARE(cliente->AvisoJanela.hwnd, cliente.get());
        QCOMPARE(cliente->AvisoJanela.dwFlags, 7u);
        QCOMPARE(cliente->AvisoJanela.uCount + cliente->AvisoJanela.dwTimeout, 0u);

        // Played cards land at 4170 + 600 X, 3180 + 600 Y: bottom, right, top, left.
        const std::array<std::pair<int, int>, 4> pousos{
            {{4170, 3780}, {4770, 3180}, {4170, 2580}, {3570, 3180}}};
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(4170 + 600 * cliente->CartaDeslocX[p], pousos[p].first);
            QCOMPARE(3180 + 600 * cliente->CartaDeslocY[p], pousos[p].second);
        }

        const std::array<std::array<qint32, 4>, 4> paineis{{{4320, 4440, 6240, 6060},
                                                            {5880, 3360, 8100, 3360},
                                                            {4320, 2280, 2460, 780},
                                                            {2760, 3360, 480, 3360}}};
        for (int p = 0; p < 4; ++p) {
            const PosicaoPainel& pp = cliente->PainelPosicoes[p];
            QCOMPARE((std::array<qint32, 4>{pp.LeftEspera, pp.TopEspera, pp.LeftJogo, pp.TopJogo}),
                     paineis[p]);
        }
    }

    void semServidorAvisaEEncerra()
    {
        quint16 porta = 0;
        {
            ServidorRoteirizado fechado;
            porta = fechado.Porta();
        }
        frmCliente cliente({"servidor", "127.0.0.1"}, porta);
        cliente.Form_Load();
        QVERIFY(Espera::Encerrando());
        QCOMPARE(m_caixas->Textos(), QStringList{"Servidor não encontrado!"});
        QCOMPARE(m_caixas->lista[0].tipo, Caixas::Tipo::Informacao);
        QCOMPARE(m_caixas->lista[0].titulo, QStringLiteral("Quarpel"));
        QVERIFY(!cliente.isVisible());
    }

    void cargaDepoisDoFimNaoConecta()
    {
        ServidorRoteirizado servidor;
        Espera::Encerrar();
        frmCliente cliente({"servidor", "127.0.0.1"}, servidor.Porta());
        cliente.Form_Load();
        QCOMPARE(cliente.Sock->state(), QAbstractSocket::UnconnectedState);
        QCoreApplication::processEvents();
        QVERIFY(!servidor.Conexao());
        QVERIFY(m_caixas->lista.isEmpty());
    }

    void conexaoPerdidaDepoisDoQueChegou()
    {
        ServidorRoteirizado servidor;
        auto cliente = ClienteDeTeste(servidor);
        QVERIFY(cliente);
        servidor.Enviar(MontarMensagem("erCNC", {"antes"}));
        servidor.Fechar();
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(m_caixas->Textos(), (QStringList{"antes", "Conexão com o servidor perdida."}));
        QCOMPARE(m_caixas->lista[1].tipo, Caixas::Tipo::Informacao);
    }

    // The loss comes while a reaction shows its box: it is reported once that pass ends.
    void conexaoPerdidaDuranteUmaCaixa()
    {
        ServidorRoteirizado servidor;
        auto cliente = ClienteDeTeste(servidor);
        QVERIFY(cliente);
        m_caixas->aoMostrar = [&](const Caixas::Caixa& c) {
            if (c.texto != "A")
                return;
            servidor.Conexao()->abort();
            QVERIFY(QTest::qWaitFor(
                [&] { return cliente->Sock->state() == QAbstractSocket::UnconnectedState; },
                10000));
            QVERIFY(!Espera::Encerrando());
        };
        servidor.Enviar(MontarMensagem("erCNC", {"A"}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(m_caixas->Textos(), (QStringList{"A", "Conexão com o servidor perdida."}));
    }

    void fecharEncerraOLacoDoPrograma()
    {
        ServidorRoteirizado servidor;
        auto cliente = ClienteDeTeste(servidor);
        QVERIFY(cliente);
        cliente->show();
        bool esperaTerminou = false;
        QTimer::singleShot(0, cliente.get(), [&] {
            // A wait that nothing else would end.
            QTimer::singleShot(0, cliente->btFechar, &QPushButton::click);
            Espera::Aguardar([] { return false; });
            esperaTerminou = true;
        });
        QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(esperaTerminou);
        QVERIFY(Espera::Encerrando());
        QVERIFY(!cliente->isVisible());
        QCOMPARE(cliente->Sock->state(), QAbstractSocket::UnconnectedState);
        // Closing is not a lost connection.
        QVERIFY(m_caixas->lista.isEmpty());
    }
};

QTEST_MAIN(TstConexao)
#include "tst_conexao.moc"
