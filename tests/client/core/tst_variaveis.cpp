#include "Bancada.h"
#include "FuncoesComuns.h"
#include "TelaJogo.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>
#include <stdexcept>

// The shared variables as the window writes them, and the table they update.
class TstVariaveis : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;

    TelaJogo* mesa() const { return b->cliente->frJogo; }
    QString estado() const { return mesa()->lbJgEstado->text(); }
    bool trucoVisivel() const { return !mesa()->btJgTruco->isHidden(); }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
    }

    void cleanup() { b.reset(); }

    void setarPeloServidor()
    {
        b->cliente->AvisoJanela.dwFlags = 0;
        b->servidor.Enviar(MontarMensagem("Setar", {"Login", "ana"}) +
                           MontarMensagem("Setar", {"Vez", "ana"}));
        QTRY_COMPARE_WITH_TIMEOUT(estado(), QStringLiteral("É a sua vez"), 10000);
        QVERIFY(trucoVisivel());
        // The window is not the active one: it asks for attention.
        QCOMPARE(b->cliente->AvisoJanela.dwFlags, 7u);

        b->servidor.Enviar(MontarMensagem("Setar", {"Vez", "Bia Gon\xE7"
                                                           "alves"}) +
                           MontarMensagem("Setar", {"Fim", ""}) + MontarMensagem("erCNC", {"!"}));
        QTRY_COMPARE_WITH_TIMEOUT(b->caixas.Textos(), (QStringList{"Acabou a rodada", "!"}), 10000);
        QCOMPARE(b->caixas.lista[0].tipo, Caixas::Tipo::Relatorio);
        QCOMPARE(b->caixas.lista[0].titulo, QStringLiteral("Quarpel"));
        QCOMPARE(estado(), QStringLiteral("É a vez de Bia Gonçalves"));
        QVERIFY(!trucoVisivel());
        QCOMPARE(b->cliente->Variaveis("vez"), QStringLiteral("Bia Gonçalves"));
    }

    // The truco button on the local player's turn; a step that fails leaves it as it was and
    // does not stop the others.
    void botaoDeTruco_data()
    {
        QTest::addColumn<QString>("jogLocal");
        QTest::addColumn<int>("equipeTruco");
        QTest::addColumn<bool>("maoDeOnze");
        QTest::addColumn<bool>("antes");
        QTest::addColumn<bool>("depois");
        QTest::newRow("ninguem pediu") << "1" << -1 << false << false << true;
        QTest::newRow("o outro time pediu") << "2" << 1 << false << false << true;
        QTest::newRow("meu time pediu") << "2" << 0 << false << true << false;
        QTest::newRow("meu time pediu, time 1") << "3" << 1 << false << true << false;
        QTest::newRow("mao de onze") << "0" << -1 << true << true << false;
        QTest::newRow("JogLocal estranho") << "não é número" << -1 << false << true << true;
    }

    void botaoDeTruco()
    {
        QFETCH(QString, jogLocal);
        QFETCH(int, equipeTruco);
        QFETCH(bool, maoDeOnze);
        QFETCH(bool, antes);
        QFETCH(bool, depois);
        b->cliente->SetVariaveis("Login", "ana");
        b->cliente->SetVariaveis("JogLocal", jogLocal);
        mesa()->EquipeTruco = qint16(equipeTruco);
        mesa()->MaoDeOnze = maoDeOnze;
        mesa()->btJgTruco->setVisible(antes);
        b->cliente->SetVariaveis("Vez", "ana");
        QCOMPARE(trucoVisivel(), depois);
        QCOMPARE(estado(), QStringLiteral("É a sua vez"));
        QCOMPARE(b->cliente->Variaveis("Vez"), QStringLiteral("ana"));
    }

    // Keys ignore case; only "Vez" and "Fim" so spelled act on the table.
    void chavesSemCaixaEEfeitos()
    {
        frmCliente& c = *b->cliente;
        c.SetVariaveis("Login", "ana");
        c.SetVariaveis("Vez", "bia");
        c.SetVariaveis("vez", "ana");
        c.SetVariaveis("fim", "x");
        QCOMPARE(c.Variaveis("Vez"), QStringLiteral("ana"));
        QCOMPARE(estado(), QStringLiteral("É a vez de bia"));
        c.SetVariaveis("CriandoSala", "Mesa 1");
        QCOMPARE(c.Variaveis("CRIANDOSALA"), QStringLiteral("Mesa 1"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.Variaveis("NuncaEscrita"));
        QVERIFY(b->caixas.lista.isEmpty());
    }

    // The window asks for attention on the turn until a resize or a minimize.
    void atencaoAteOResize()
    {
        frmCliente& c = *b->cliente;
        c.SetVariaveis("Login", "ana");
        c.SetVariaveis("Vez", "ana");
        QCOMPARE(c.AvisoJanela.dwFlags, 7u);
        QResizeEvent resize(c.size(), c.size());
        QApplication::sendEvent(&c, &resize);
        QCOMPARE(c.AvisoJanela.dwFlags, 0u);
        c.PedirAtencao();
        QCOMPARE(c.AvisoJanela.dwFlags, 7u);
        c.show();
        c.setWindowState(Qt::WindowMinimized);
        QCOMPARE(c.AvisoJanela.dwFlags, 0u);
    }

    void janelaAtivaNaoPisca()
    {
        frmCliente& c = *b->cliente;
        c.show();
        QApplication::setActiveWindow(&c);
        QVERIFY(QTest::qWaitForWindowActive(&c));
        c.AvisoJanela.dwFlags = 0;
        c.SetVariaveis("Login", "ana");
        c.SetVariaveis("Vez", "ana");
        QCOMPARE(estado(), QStringLiteral("É a sua vez"));
        QCOMPARE(c.AvisoJanela.dwFlags, 0u);
    }
};

QTEST_MAIN(TstVariaveis)
#include "tst_variaveis.moc"
