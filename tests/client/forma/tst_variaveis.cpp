#include "Bancada.h"
#include "Protegido.h"
#include "TelaJogo.h"

#include <QLabel>
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

    // Keys ignore case; "Vez" updates the table, "Fim" reports. A rewrite, here under another
    // spelling of the key, leaves nothing of the old value behind and does not reach a copy a
    // reader holds: the value is decoded into the stored string itself.
    void setarPeloServidor()
    {
        frmCliente& c = *b->cliente;
        QVERIFY(b->Receber(Msg("Setar", {"Login", "ana"}) + Msg("Setar", {"Vez", "ana"})));
        QCOMPARE(estado(), QStringLiteral("É a sua vez"));
        QVERIFY(trucoVisivel());
        QVERIFY(b->Receber(Msg("Setar", {"Vez", "Bia Gon\xE7"
                                                "alves"}) +
                           Msg("Setar", {"Fim", ""})));
        QCOMPARE(b->caixas.Textos(), QStringList{"Acabou a rodada"});
        QCOMPARE(b->caixas.lista[0].tipo, Caixas::Tipo::Relatorio);
        QCOMPARE(estado(), QStringLiteral("É a vez de Bia Gonçalves"));
        QVERIFY(!trucoVisivel());
        QCOMPARE(c.Variaveis("VEZ"), QStringLiteral("Bia Gonçalves"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.Variaveis("NuncaEscrita"));
        Protegido::Executar([&] { c.Variaveis("NuncaEscrita"); });
        QCOMPARE(b->caixas.Textos().last(),
                 "Não foi possível concluir a ação.\r\nVariável inexistente: NuncaEscrita");
        const QString lido = c.Variaveis("vez");
        QVERIFY(b->Receber(Msg("Setar", {"vEZ", "xy"})));
        QCOMPARE(c.Variaveis("Vez"), QStringLiteral("xy"));
        QCOMPARE(lido, QStringLiteral("Bia Gonçalves"));
    }

    // The truco button on the local player's turn; a step that fails leaves it as it was and
    // does not stop the others.
    void botaoDeTruco()
    {
        // JogLocal, the team that called last, hand of eleven, shown before, shown after.
        const std::tuple<QString, int, bool, bool, bool> casos[] = {
            {"1", -1, false, false, true}, {"2", 1, false, false, true},
            {"2", 0, false, true, false},  {"3", 1, false, true, false},
            {"0", -1, true, true, false},  {"não é número", -1, false, true, true}};
        for (const auto& [jogLocal, equipeTruco, maoDeOnze, antes, depois] : casos) {
            b->cliente->SetVariaveis("Login", "ana");
            b->cliente->SetVariaveis("JogLocal", jogLocal);
            mesa()->EquipeTruco = qint16(equipeTruco);
            mesa()->MaoDeOnze = maoDeOnze;
            mesa()->btJgTruco->setVisible(antes);
            b->cliente->SetVariaveis("Vez", "ana");
            QCOMPARE(trucoVisivel(), depois);
            QCOMPARE(estado(), QStringLiteral("É a sua vez"));
        }
    }
};

QTEST_MAIN(TstVariaveis)
#include "tst_variaveis.moc"
