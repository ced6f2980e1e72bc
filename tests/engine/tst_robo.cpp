// The bot's choices in situations set up on the engine: it must play sensibly and only legally.
#include "MesaDeTeste.h"
#include "Robo.h"

class TstRobo : public QObject
{
    Q_OBJECT

    // The bot's move for the seat, checked to be one of the legal moves.
    static Lance Decide(Partida& p, int jogador)
    {
        const auto validos = p.LancesValidos(jogador);
        const Lance l = Robo().Decidir(p.VisaoDe(jogador), validos);
        QTest::qVerify(std::find(validos.begin(), validos.end(), l) != validos.end(), "Decidir",
                       "lance ilegal", __FILE__, __LINE__);
        return l;
    }

    // What the seat does after the moves given: "truco", "aceita", "recusa" or the card it plays.
    static QString Escolha(int jogador, const std::string& cartas, int primeiro = 0,
                           const std::string& antes = "", std::array<int, 2> pontos = {})
    {
        Partida p = Mesa(cartas, primeiro, pontos);
        Lances(p, antes);
        const Lance l = Decide(p, jogador);
        const char* tipos[] = {"", "truco", "aceita", "recusa"};
        return l.tipo == Lance::Tipo::Carta ? Nome(p.CartaNaMao(jogador, l.posicao))
                                            : tipos[int(l.tipo)];
    }

private slots:
    void escolheACarta()
    {
        // Last to play, and the partner's two cannot be beaten: keep the king.
        QCOMPARE(Escolha(0, "Ke Qc 2p 5p / Qe 4c 6e 4o / 7e 6c Jc Ac", 1, "1:Qc 2:2p 3:4o"), "7e");
        // The least card that wins; with none that wins, the lowest.
        QCOMPARE(Escolha(0, "3e Qc 2p Ko / Ae 4c 6e 4o / 5o 6c Jc Ac", 3, "3:Ko"), "Ae");
        QCOMPARE(Escolha(0, "Ke Qc 2p 5c / Qe 4c 6e 4o / 7e 6c Jc Ac", 3, "3:5c"), "7e");
    }

    void trucoPelaForcaDaMao()
    {
        QCOMPARE(Escolha(0, "5p Qc 2p Ko / 5c 4c 6e 4o / 3e 6c Jc Ac"), "truco");
        QCOMPARE(Escolha(0, "4e Qc 2p Ko / 6o 4c 6e 4o / 7e 6c Jc Ac").size(), 2);
        const std::string cartas = "4e Qc 5e Ko / 6o 4c 3o 4o / 7e 6c 2c Ac";
        QCOMPARE(Escolha(0, cartas, 1, "T1"), "recusa");
        QVERIFY(QStringList({"aceita", "truco"}).contains(Escolha(2, cartas, 1, "T1")));
    }

    void maoDeOnzePelasCartasDosDois()
    {
        // Seat 1 alone holds nothing strong; with his partner's two manilhas the pair plays.
        QCOMPARE(Escolha(1, "Ke Qc 2p 5p / Qe 4c 6e 5c / 7e 6c Jc Ac", 0, "", {3, 11}), "aceita");
        QCOMPARE(Escolha(1, "Ke Qc 2p Jp / Qe 4c 6e Kc / 7e 6c Jc Ac", 0, "", {3, 11}), "recusa");
        // Strong at eleven it plays, and then plays a card: there is no truco to ask.
        const std::string forte = "5p Qc 5o Ko / 5c 4c 2e 4o / 3e 6c Jc Ac";
        QCOMPARE(Escolha(0, forte, 0, "", {11, 3}), "aceita");
        QCOMPARE(Escolha(0, forte, 0, "A0", {11, 3}).size(), 2);
    }
};

QTEST_APPLESS_MAIN(TstRobo)
#include "tst_robo.moc"
