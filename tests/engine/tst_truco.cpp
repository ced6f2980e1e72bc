// Truco calls and raises, refusals at every step, and the hands of eleven and iron.
#include "MesaDeTeste.h"

class TstTruco : public QObject
{
    Q_OBJECT

    static constexpr const char* kCartas = "3p Kc 6c 7o / 3e Jp Qe Jo / 7p Qp Jc Ko";

private slots:
    void pedidoNaVezEResposta()
    {
        Partida p = Mesa(kCartas);
        QVERIFY(p.Motivo(Lance::Trucar(1)).has_value());
        Lances(p, "!T1");
        QVERIFY(!p.TrucoPendente());
        QCOMPARE(Resumo(Lances(p, "T0")), "truco:0:0:3");
        QCOMPARE(p.ValorMao(), 1);
        // While the call waits no card is played and the caller's team cannot answer it.
        Lances(p, "!0:3p !A2");
        QVERIFY(p.DeveAgir(1) && p.DeveAgir(3) && !p.DeveAgir(0) && !p.DeveAgir(2));
        // Either opponent answers; the first answer counts, the turn stays where it was. The
        // same team may not call twice in a row.
        QCOMPARE(Resumo(Lances(p, "A3 !R1 !T0")), "aceito");
        QCOMPARE(p.ValorMao(), 3);
        QCOMPARE(p.Vez(), 0);
        QVERIFY(p.DeveAgir(0));
    }

    void pedidosAlternamAteDoze()
    {
        Partida p = Mesa(kCartas);
        // On his turn the other team asks 6; the raise of 9 may come from the partner who is not
        // on turn; then 12, and nothing above it, not even after a card.
        QCOMPARE(Resumo(Lances(p, "T0 A1 0:7p T1 !T3")),
                 "truco:0:0:3 aceito 0:7p vez:1 truco:1:1:6");
        QCOMPARE(Resumo(Lances(p, "T2")), "truco:2:0:9");
        QCOMPARE(p.ValorMao(), 6);
        QCOMPARE(Resumo(Lances(p, "T3 !T0")), "truco:3:1:12");
        QCOMPARE(p.ValorMao(), 9);
        Lances(p, "A0 !T1 1:Qp !T2");
        QCOMPARE(p.ValorMao(), 12);
    }

    void maoDeOnzeJogada()
    {
        std::vector<Evento> e;
        Partida p = Mesa(kCartas, 1, {11, 4}, "4p", &e);
        QCOMPARE(Resumo(e), "dist:onze:0");
        // The team at eleven sees its partner's cards; the others see only their own.
        using V = std::array<int, 6>;
        QCOMPARE(e[0].vistas[0], (V{C("3p"), C("3e"), C("7p"), C("6c"), C("Qe"), C("Jc")}));
        QCOMPARE(e[0].vistas[2], (V{C("6c"), C("Qe"), C("Jc"), C("3p"), C("3e"), C("7p")}));
        QCOMPARE(e[0].vistas[1], (V{C("Kc"), C("Jp"), C("Qp"), 0, 0, 0}));
        QCOMPARE(e[0].vistas[3], (V{C("7o"), C("Jo"), C("Ko"), 0, 0, 0}));
        QCOMPARE(p.VisaoDe(2).maoParceiro, (std::array<int, 3>{C("3p"), C("3e"), C("7p")}));
        QCOMPARE(p.VisaoDe(3).maoParceiro, (std::array<int, 3>{}));
        // Nothing is played until the team at eleven decides, and only it decides.
        Lances(p, "!1:Kc !A1");
        QVERIFY(p.DeveAgir(0) && p.DeveAgir(2) && !p.DeveAgir(1));
        // Worth 3, and no truco in it.
        QCOMPARE(Resumo(Lances(p, "A2 !T1 !A2")), "onze vez:1");
        QCOMPARE(p.ValorMao(), 3);
        JogaVaza(p, "3p Kc 6c 7o");
        Lances(p, "!T0");
        const QString fim = Resumo(JogaVaza(p, "3e Jp Qe Jo"));
        QVERIFY2(fim.endsWith("mao:14-4 fim:0:0"), qPrintable(fim));
    }

    void maoDeFerroAsCegas()
    {
        std::vector<Evento> e;
        Partida p = Mesa(kCartas, 0, {11, 11}, "4p", &e);
        QCOMPARE(Resumo(e), "dist:ferro:-1 vez:0");
        QCOMPARE(e[0].vira, C("4p"));
        for (int j = 0; j < 4; ++j) {
            QCOMPARE(e[0].vistas[j], (std::array<int, 6>{}));
            QCOMPARE(p.VisaoDe(j).mao, (std::array<int, 3>{}));
        }
        Lances(p, "!T0");
        QCOMPARE(p.ValorMao(), 1);
        // Each card shows when played; face down is asked in the second trick, but a blind card
        // shows all the same.
        QCOMPARE(Resumo(JogaVaza(p, "3e Jp Qe Jo")),
                 "0:3e vez:1 1:Jp vez:2 2:Qe vez:3 3:Jo vaza:0:1-0 vez:0");
        QCOMPARE(Resumo(JogaVaza(p, "_3p _Kc _6c _7o")),
                 "0:3p vez:1 1:Kc vez:2 2:6c vez:3 3:7o vaza:0:2-0 mao:12-11 fim:0:0");
    }
};

QTEST_APPLESS_MAIN(TstTruco)
#include "tst_truco.moc"
