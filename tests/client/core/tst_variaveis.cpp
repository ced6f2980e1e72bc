#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Espera.h"
#include "FuncoesComuns.h"
#include "TelaJogo.h"
#include "frmCliente.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>
#include <stdexcept>

// The shared variables as the window writes them, and the table they update.
class TstVariaveis : public QObject
{
    Q_OBJECT

    std::unique_ptr<CaixasGravadas> m_caixas;
    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;

    TelaJogo* mesa() const { return m_cliente->frJogo; }
    QString estado() const { return mesa()->lbJgEstado->text(); }
    bool trucoVisivel() const { return !mesa()->btJgTruco->isHidden(); }
    // A key not written yet reads as a null text here, for the waits.
    QString ler(const QString& chave) const
    {
        try {
            return m_cliente->Variaveis(chave);
        } catch (const std::out_of_range&) {
            return {};
        }
    }

private slots:
    void init()
    {
        m_caixas = std::make_unique<CaixasGravadas>();
        m_servidor = new ServidorRoteirizado(this);
        m_cliente = ClienteDeTeste(*m_servidor);
        QVERIFY(m_cliente);
    }

    void cleanup()
    {
        m_cliente.reset();
        delete m_servidor;
        m_caixas.reset();
    }

    void setarVezPeloServidor()
    {
        m_cliente->AvisoJanela.dwFlags = 0;
        m_servidor->Enviar(MontarMensagem("Setar", {"Login", "ana"}) +
                           MontarMensagem("Setar", {"Vez", "ana"}));
        QTRY_COMPARE_WITH_TIMEOUT(estado(), QStringLiteral("É a sua vez"), 10000);
        QVERIFY(trucoVisivel());
        // The window is not the active one: it asks for attention.
        QCOMPARE(m_cliente->AvisoJanela.dwFlags, 7u);

        m_servidor->Enviar(MontarMensagem("Setar", {"Vez", "Bia Gon\xE7"
                                                           "alves"}));
        QTRY_COMPARE_WITH_TIMEOUT(estado(), QStringLiteral("É a vez de Bia Gonçalves"), 10000);
        QVERIFY(!trucoVisivel());
        QCOMPARE(m_cliente->Variaveis("vez"), QStringLiteral("Bia Gonçalves"));
    }

    void botaoDeTruco_data()
    {
        QTest::addColumn<QString>("jogLocal");
        QTest::addColumn<int>("equipeTruco");
        QTest::addColumn<bool>("maoDeOnze");
        QTest::addColumn<bool>("visivel");
        QTest::newRow("ninguem pediu") << "1" << -1 << false << true;
        QTest::newRow("o outro time pediu") << "2" << 1 << false << true;
        QTest::newRow("meu time pediu") << "2" << 0 << false << false;
        QTest::newRow("meu time pediu, time 1") << "3" << 1 << false << false;
        QTest::newRow("mao de onze") << "0" << -1 << true << false;
    }

    void botaoDeTruco()
    {
        QFETCH(QString, jogLocal);
        QFETCH(int, equipeTruco);
        QFETCH(bool, maoDeOnze);
        QFETCH(bool, visivel);
        m_cliente->SetVariaveis("Login", "ana");
        m_cliente->SetVariaveis("JogLocal", jogLocal);
        mesa()->EquipeTruco = qint16(equipeTruco);
        mesa()->MaoDeOnze = maoDeOnze;
        mesa()->btJgTruco->setHidden(visivel);
        m_cliente->SetVariaveis("Vez", "ana");
        QCOMPARE(trucoVisivel(), visivel);
        QCOMPARE(estado(), QStringLiteral("É a sua vez"));
    }

    void passoQueFalhaNaoImpedeOsOutros()
    {
        m_cliente->SetVariaveis("Login", "ana");
        m_cliente->SetVariaveis("JogLocal", "não é número");
        mesa()->btJgTruco->show();
        m_cliente->SetVariaveis("Vez", "ana");
        QCOMPARE(estado(), QStringLiteral("É a sua vez"));
        QCOMPARE(m_cliente->Variaveis("Vez"), QStringLiteral("ana"));
        // The truco step could not run and left the button as it was.
        QVERIFY(trucoVisivel());
    }

    void chaveSemEfeitoEmOutraCaixa()
    {
        m_cliente->SetVariaveis("Login", "ana");
        m_cliente->SetVariaveis("Vez", "bia");
        m_cliente->SetVariaveis("vez", "ana");
        QCOMPARE(m_cliente->Variaveis("Vez"), QStringLiteral("ana"));
        QCOMPARE(estado(), QStringLiteral("É a vez de bia"));
        m_cliente->SetVariaveis("fim", "x");
        QVERIFY(m_caixas->lista.isEmpty());
    }

    void fimMostraUmaCaixa()
    {
        m_servidor->Enviar(MontarMensagem("Setar", {"Fim", ""}) +
                           MontarMensagem("Setar", {"Depois", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(ler("depois"), QStringLiteral("1"), 10000);
        QCOMPARE(m_caixas->Textos(), QStringList{"Acabou a rodada"});
        QCOMPARE(m_caixas->lista[0].tipo, Caixas::Tipo::Relatorio);
        QCOMPARE(m_caixas->lista[0].titulo, QStringLiteral("Quarpel"));
    }

    void chavesNovasELeituraSemEscrita()
    {
        m_cliente->SetVariaveis("CriandoSala", "Mesa 1");
        QCOMPARE(m_cliente->Variaveis("CRIANDOSALA"), QStringLiteral("Mesa 1"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m_cliente->Variaveis("NuncaEscrita"));
        QCOMPARE(m_caixas->lista.size(), 0);
    }

    void setarSemValorRelata()
    {
        // A "Setar" without its value ends in the report, not in a crash.
        m_servidor->Enviar(MontarMensagem("Setar", {"x"}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QVERIFY(m_caixas->lista.value(0).texto.endsWith("\r\nComando: Setar"));
    }

    void atencaoParaComOResize()
    {
        m_cliente->SetVariaveis("Login", "ana");
        m_cliente->SetVariaveis("Vez", "ana");
        QCOMPARE(m_cliente->AvisoJanela.dwFlags, 7u);
        QResizeEvent resize(m_cliente->size(), m_cliente->size());
        QApplication::sendEvent(m_cliente.get(), &resize);
        QCOMPARE(m_cliente->AvisoJanela.dwFlags, 0u);

        m_cliente->PedirAtencao();
        QCOMPARE(m_cliente->AvisoJanela.dwFlags, 7u);
        m_cliente->show();
        m_cliente->setWindowState(Qt::WindowMinimized);
        QCOMPARE(m_cliente->AvisoJanela.dwFlags, 0u);
    }

    void janelaAtivaNaoPisca()
    {
        m_cliente->show();
        QApplication::setActiveWindow(m_cliente.get());
        QVERIFY(QTest::qWaitForWindowActive(m_cliente.get()));
        m_cliente->AvisoJanela.dwFlags = 0;
        m_cliente->SetVariaveis("Login", "ana");
        m_cliente->SetVariaveis("Vez", "ana");
        QCOMPARE(estado(), QStringLiteral("É a sua vez"));
        QCOMPARE(m_cliente->AvisoJanela.dwFlags, 0u);
    }
};

QTEST_MAIN(TstVariaveis)
#include "tst_variaveis.moc"
