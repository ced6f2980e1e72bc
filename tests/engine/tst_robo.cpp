// The bot's choices in situations set up on the engine: it must play sensibly and only legally.
#include "MesaDeTeste.h"
#include "Robo.h"

class TstRobo : public QObject
{
    Q_OBJECT

    static Lance Decide(Partida& p, int jogador)
    {
        Robo robo;
        const auto validos = p.LancesValidos(jogador);
        const Lance l = robo.Decidir(p.VisaoDe(jogador), validos);
        if (std::find(validos.begin(), validos.end(), l) == validos.end())
            ++Recusas();
        return l;
    }

    static int CartaEscolhida(Partida& p, int jogador)
    {
        const Lance l = Decide(p, jogador);
        return l.tipo == Lance::Tipo::Carta ? p.CartaNaMao(jogador, l.posicao) : -1;
    }

    // Vira 4 of clubs: the fives are manilhas.
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

    void jogaBaixoQuandoOParceiroGanha()
    {
        Partida p = Preparada(
            1, {{{"Ke", "Qe", "7e"}, {"Qc", "4c", "6c"}, {"2p", "6e", "Jc"}, {"5p", "4o", "Ac"}}});
        JogaCarta(p, 1, "Qc");
        JogaCarta(p, 2, "2p");
        JogaCarta(p, 3, "4o");
        // Seat 0 is last, his partner's two cannot be beaten: keep the king.
        QCOMPARE(CartaEscolhida(p, 0), C("7e"));
    }

    void venceComAMenorQueBasta()
    {
        Partida p = Preparada(
            3, {{{"3e", "Ae", "5o"}, {"Qc", "4c", "6c"}, {"2p", "6e", "Jc"}, {"Ko", "4o", "Ac"}}});
        JogaCarta(p, 3, "Ko");
        QCOMPARE(CartaEscolhida(p, 0), C("Ae"));
    }

    void semComoVencerDescartaAMenor()
    {
        Partida p = Preparada(
            3, {{{"Ke", "Qe", "7e"}, {"Qc", "4c", "6c"}, {"2p", "6e", "Jc"}, {"5c", "4o", "Ac"}}});
        JogaCarta(p, 3, "5c");
        QCOMPARE(CartaEscolhida(p, 0), C("7e"));
    }

    void pedeTrucoComMaoForte()
    {
        Partida p = Preparada(
            0, {{{"5p", "5c", "3e"}, {"Qc", "4c", "6c"}, {"2p", "6e", "Jc"}, {"Ko", "4o", "Ac"}}});
        QCOMPARE(Decide(p, 0).tipo, Lance::Tipo::Truco);
        Partida fraca = Preparada(
            0, {{{"4e", "6o", "7e"}, {"Qc", "4c", "6c"}, {"2p", "6e", "Jc"}, {"Ko", "4o", "Ac"}}});
        QCOMPARE(Decide(fraca, 0).tipo, Lance::Tipo::Carta);
    }

    void respondeAoTrucoPelaMao()
    {
        Partida p = Preparada(
            1, {{{"4e", "6o", "7e"}, {"Qc", "4c", "6c"}, {"5e", "3o", "2c"}, {"Ko", "4o", "Ac"}}});
        Joga(p, Lance::Trucar(1));
        QCOMPARE(Decide(p, 0).tipo, Lance::Tipo::Recusar);
        const auto forte = Decide(p, 2).tipo;
        QVERIFY(forte == Lance::Tipo::Aceitar || forte == Lance::Tipo::Truco);
    }

    void naoPedeTrucoOndeNaoPode()
    {
        Partida onze = Preparada(
            0, {{{"5p", "5c", "3e"}, {"Qc", "4c", "6c"}, {"5o", "2e", "Jc"}, {"Ko", "4o", "Ac"}}},
            {11, 3});
        QCOMPARE(Decide(onze, 0).tipo, Lance::Tipo::Aceitar);
        Joga(onze, Lance::Aceitar(0));
        QCOMPARE(Decide(onze, 0).tipo, Lance::Tipo::Carta);
    }

    void decideAMaoDeOnzePelasCartasDosDois()
    {
        // Seat 1 alone holds nothing strong; with his partner's two manilhas the pair plays.
        Partida joga = Preparada(
            0, {{{"Ke", "Qe", "7e"}, {"Qc", "4c", "6c"}, {"2p", "6e", "Jc"}, {"5p", "5c", "Ac"}}},
            {3, 11});
        QCOMPARE(Decide(joga, 1).tipo, Lance::Tipo::Aceitar);
        Partida recusa = Preparada(
            0, {{{"Ke", "Qe", "7e"}, {"Qc", "4c", "6c"}, {"2p", "6e", "Jc"}, {"Jp", "Kc", "Ac"}}},
            {3, 11});
        QCOMPARE(Decide(recusa, 1).tipo, Lance::Tipo::Recusar);
    }

    void jogaAsCegasNaMaoDeFerro()
    {
        Partida p = Preparada(2, {{{"Ke"}, {"Qc"}, {"2p"}, {"5p"}}}, {11, 11});
        for (int k = 0; k < 4; ++k) {
            const int j = p.Vez();
            const Lance l = Decide(p, j);
            QCOMPARE(l.tipo, Lance::Tipo::Carta);
            QVERIFY(p.Jogar(l).Aceito());
        }
    }
};

QTEST_APPLESS_MAIN(TstRobo)
#include "tst_robo.moc"
