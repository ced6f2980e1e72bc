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
};

QTEST_MAIN(TstVariaveis)
#include "tst_variaveis.moc"
