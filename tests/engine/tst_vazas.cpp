// Tricks and hands: who takes a trick, who leads the next, face-down cards, and how tied tricks
// decide a hand.
#include "MesaDeTeste.h"

class TstVazas : public QObject
{
    Q_OBJECT

    static std::vector<Evento::Tipo> Tipos(const std::vector<Evento>& eventos)
    {
        std::vector<Evento::Tipo> t;
        for (const auto& e : eventos)
            t.push_back(e.tipo);
        return t;
    }

    // Vira 4 of clubs (the fives are manilhas) and hands in which every trick below is playable.
    static Partida Preparada(int primeiro, const std::array<std::vector<std::string>, 4>& maos,
                             std::array<int, 2> pontos = {0, 0})
    {
        Partida p = NovaPartida(primeiro, pontos);
        p.FixarDistribuicao(Deal("4p", maos));
        p.Comecar();
        return p;
    }

private slots:
    void cleanup()
    {
        QCOMPARE(Recusas(), 0);
        Recusas() = 0;
    }

    void ordemDasMensagensDeUmaVaza()
    {
        Partida p = Preparada(2, {{{"3p", "Ke"}, {"Jc", "Qe"}, {"2c", "6e"}, {"7o", "6p"}}});
        const auto e = JogaVaza(p, {"3p", "Jc", "2c", "7o"});
        using T = Evento::Tipo;
        const std::vector<T> esperado{T::Carta, T::Vez,   T::Carta,   T::Vez, T::Carta,
                                      T::Vez,   T::Carta, T::FimVaza, T::Vez};
        QCOMPARE(Tipos(e), esperado);
        // Seat 2 led; play goes 2, 3, 0, 1; the three of seat 0 takes it and seat 0 leads next.
        QCOMPARE(e[0].jogador, 2);
        QCOMPARE(e[1].jogador, 3);
        QCOMPARE(e[6].jogador, 1);
        QCOMPARE(e[7].jogador, 0);
        QCOMPARE(e[7].placar, (std::array<int, 2>{1, 0}));
        QCOMPARE(e[8].jogador, 0);
        QCOMPARE(p.Vez(), 0);
    }

    void empateRepeteQuemComecou()
    {
        Partida p = Preparada(1, {{{"Kp", "Ae"}, {"Kc", "Jp"}, {"6c", "Qe"}, {"7o", "Jo"}}});
        const auto e = JogaVaza(p, {"Kp", "Kc", "6c", "7o"});
        const auto* fim = Primeiro(e, Evento::Tipo::FimVaza);
        QVERIFY(fim);
        QCOMPARE(fim->jogador, -1);
        QCOMPARE(fim->placar, (std::array<int, 2>{0, 0}));
        QCOMPARE(p.Vez(), 1);
    }

    void parceirosEmpatadosVencem()
    {
        // Seats 1 and 3 both hold the top card: their team takes the trick, and seat 3, who
        // played it first from seat 2's lead, leads next.
        Partida p = Preparada(2, {{{"Ap", "Ae"}, {"3c", "Jp"}, {"6c", "Qe"}, {"3o", "Jo"}}});
        const auto* fim = Primeiro(JogaVaza(p, {"Ap", "3c", "6c", "3o"}), Evento::Tipo::FimVaza);
        QVERIFY(fim);
        QCOMPARE(fim->jogador, 3);
        QCOMPARE(fim->placar, (std::array<int, 2>{0, 1}));
        QCOMPARE(p.Vez(), 3);
    }

    void cartaCobertaPerdeParaTodas()
    {
        Partida p = Preparada(
            0, {{{"Ap", "3e", "7p"}, {"Ac", "4e", "Qp"}, {"6c", "4c", "Jp"}, {"Qo", "4o", "Jo"}}});
        JogaVaza(p, {"Ap", "Ac", "6c", "Qo"});
        QCOMPARE(p.Vez(), 0);
        // Second trick: the three of spades goes face down and the fours beat it. The fours of
        // seats 1 and 2 tie, so the trick ties.
        const auto e = JogaVaza(p, {"3e", "4e", "4c", "4o"}, {true, false, false, false});
        QCOMPARE(e[0].tipo, Evento::Tipo::Carta);
        QCOMPARE(e[0].codigo, 0);
        const auto* fim = Primeiro(e, Evento::Tipo::FimVaza);
        QVERIFY(fim);
        QCOMPARE(fim->jogador, -1);
        QVERIFY(!Primeiro(e, Evento::Tipo::FimMao));
        // The player who led the tied trick leads again.
        QCOMPARE(p.Vez(), 0);
        // The others see a card with no face; its owner still sees his own card.
        QCOMPARE(p.VisaoDe(1).historico[4].codigo, 0);
        QCOMPARE(p.VisaoDe(0).historico[4].codigo, C("3e"));
    }

    void cobertasSoEmpatamEntreSi()
    {
        Partida p = Preparada(
            0, {{{"Ap", "3e", "7p"}, {"Kc", "2e", "Qp"}, {"6c", "4c", "Jp"}, {"Qo", "2o", "Jo"}}});
        JogaVaza(p, {"Ap", "Kc", "6c", "Qo"});
        const auto* fim = Primeiro(JogaVaza(p, {"3e", "2e", "4c", "2o"}, {true, true, false, true}),
                                   Evento::Tipo::FimVaza);
        QVERIFY(fim);
        QCOMPARE(fim->jogador, 2);
    }

    void cobertaNaPrimeiraVazaVaiAberta()
    {
        Partida p = Preparada(0, {{{"3p"}, {"Kc"}, {"6c"}, {"Qo"}}});
        const auto e = JogaVaza(p, {"3p", "Kc", "6c", "Qo"}, {true, true, true, true});
        QCOMPARE(e[0].codigo, C("3p"));
        QCOMPARE(Primeiro(e, Evento::Tipo::FimVaza)->jogador, 0);
    }

    void duasVazasGanham()
    {
        Partida p = Preparada(0, {{{"3p", "3e"}, {"Kc", "Jp"}, {"6c", "Qe"}, {"7o", "Jo"}}});
        JogaVaza(p, {"3p", "Kc", "6c", "7o"});
        const auto e = JogaVaza(p, {"3e", "Jp", "Qe", "Jo"});
        const auto* fim = Primeiro(e, Evento::Tipo::FimMao);
        QVERIFY(fim);
        QCOMPARE(fim->placar, (std::array<int, 2>{1, 0}));
        // The next hand is dealt at once and starts one seat later.
        QVERIFY(Primeiro(e, Evento::Tipo::Distribuicao));
        QCOMPARE(e.back().tipo, Evento::Tipo::Vez);
        QCOMPARE(e.back().jogador, 1);
    }

    void primeiraEmpatadaDecideAProxima()
    {
        Partida p = Preparada(0, {{{"Kp", "Qp"}, {"Kc", "Ac"}, {"6c", "Qe"}, {"7o", "Jo"}}});
        JogaVaza(p, {"Kp", "Kc", "6c", "7o"});
        const auto e = JogaVaza(p, {"Qp", "Ac", "Qe", "Jo"});
        const auto* fim = Primeiro(e, Evento::Tipo::FimMao);
        QVERIFY(fim);
        QCOMPARE(fim->placar, (std::array<int, 2>{0, 1}));
    }

    void duasEmpatadasDecideATerceira()
    {
        Partida p = Preparada(
            0, {{{"Kp", "Qp", "6p"}, {"Kc", "Qc", "7c"}, {"6c", "4e", "Ae"}, {"7o", "4o", "Jo"}}});
        JogaVaza(p, {"Kp", "Kc", "6c", "7o"});
        QVERIFY(!Primeiro(JogaVaza(p, {"Qp", "Qc", "4e", "4o"}), Evento::Tipo::FimMao));
        const auto* fim = Primeiro(JogaVaza(p, {"6p", "7c", "Ae", "Jo"}), Evento::Tipo::FimMao);
        QVERIFY(fim);
        QCOMPARE(fim->placar, (std::array<int, 2>{1, 0}));
    }

    void empateDepoisDaPrimeiraVaiParaQuemFezAPrimeira()
    {
        // First trick to team 1, second tied: the hand ends there for team 1.
        Partida p = Preparada(0, {{{"Kp", "Qp"}, {"Ac", "Qc"}, {"6c", "4e"}, {"7o", "4o"}}});
        JogaVaza(p, {"Kp", "Ac", "6c", "7o"});
        QCOMPARE(p.Vez(), 1);
        const auto* fim = Primeiro(JogaVaza(p, {"Qp", "Qc", "4e", "4o"}), Evento::Tipo::FimMao);
        QVERIFY(fim);
        QCOMPARE(fim->placar, (std::array<int, 2>{0, 1}));
    }

    void terceiraEmpatadaVaiParaQuemFezAPrimeira()
    {
        Partida p = Preparada(
            0, {{{"3p", "Qp", "Kp"}, {"Ac", "2c", "Kc"}, {"6c", "4e", "Qe"}, {"7o", "4o", "Jo"}}});
        JogaVaza(p, {"3p", "Ac", "6c", "7o"});
        QVERIFY(!Primeiro(JogaVaza(p, {"Qp", "2c", "4e", "4o"}), Evento::Tipo::FimMao));
        QCOMPARE(p.Vez(), 1);
        const auto* fim = Primeiro(JogaVaza(p, {"Kp", "Kc", "Qe", "Jo"}), Evento::Tipo::FimMao);
        QVERIFY(fim);
        QCOMPARE(fim->placar, (std::array<int, 2>{1, 0}));
    }

    void tresEmpatadasNinguemPontua()
    {
        Partida p = Preparada(
            3, {{{"Kp", "Qp", "6p"}, {"Kc", "Qc", "6c"}, {"7e", "4e", "6e"}, {"7o", "4o", "6o"}}},
            {4, 7});
        JogaVaza(p, {"Kp", "Kc", "7e", "7o"});
        QVERIFY(!Primeiro(JogaVaza(p, {"Qp", "Qc", "4e", "4o"}), Evento::Tipo::FimMao));
        QCOMPARE(p.Vez(), 3);
        const auto* fim = Primeiro(JogaVaza(p, {"6p", "6c", "6e", "6o"}), Evento::Tipo::FimMao);
        QVERIFY(fim);
        QCOMPARE(fim->placar, (std::array<int, 2>{4, 7}));
    }
};

QTEST_APPLESS_MAIN(TstVazas)
#include "tst_vazas.moc"
