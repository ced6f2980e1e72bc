// The strength of cards as tricks decide it: the ordinary order, the manilhas after every vira,
// and the client's card codes.
#include "Carta.h"
#include "MesaDeTeste.h"

class TstCartas : public QObject
{
    Q_OBJECT

    static const Evento* FimVaza(const std::vector<Evento>& e)
    {
        return Primeiro(e, Evento::Tipo::FimVaza);
    }

    // One trick from seat 0 with these cards; the seat that took it, or -1 for a tie.
    static int Vencedor(const std::string& vira, const std::array<std::string, 4>& cartas)
    {
        Partida p = NovaPartida(0);
        p.FixarDistribuicao(Deal(vira, {{{cartas[0]}, {cartas[1]}, {cartas[2]}, {cartas[3]}}}));
        p.Comecar();
        const auto* fim = FimVaza(JogaVaza(p, cartas));
        return fim ? fim->jogador : -99;
    }

private slots:
    void cleanup()
    {
        QCOMPARE(Recusas(), 0);
        Recusas() = 0;
    }

    void codigosDaImagemDoCliente()
    {
        // The client draws code c from row (c-1)/10 (suit) and column (c-1)%10 (rank).
        QCOMPARE(Carta::Codigo(0, 0), 1);  // four of clubs
        QCOMPARE(Carta::Codigo(7, 0), 8);  // ace of clubs
        QCOMPARE(Carta::Codigo(0, 1), 11); // four of hearts
        QCOMPARE(Carta::Codigo(7, 2), 28); // ace of spades
        QCOMPARE(Carta::Codigo(9, 3), 40); // three of diamonds
        QCOMPARE(C("Ae"), 28);
        // With a king turned the aces are manilhas: the ace of clubs (8) beats the ace of
        // spades (28), which beats a three.
        QCOMPARE(Vencedor("Kc", {"Ae", "3p", "Ap", "3o"}), 2);
    }

    void ordemDasCartasComuns_data()
    {
        QTest::addColumn<QString>("menor");
        QTest::addColumn<QString>("maior");
        const QString ordem = "4567QJKA23";
        for (int i = 0; i + 1 < ordem.size(); ++i)
            QTest::newRow(qPrintable(ordem.mid(i, 2))) << ordem.mid(i, 1) << ordem.mid(i + 1, 1);
    }

    void ordemDasCartasComuns()
    {
        QFETCH(QString, menor);
        QFETCH(QString, maior);
        const std::string m = menor.toStdString(), M = maior.toStdString();
        // A vira whose manilhas are neither rank: two ranks above the higher card.
        const QString ordem = "4567QJKA23";
        const std::string vira = ordem.mid((ordem.indexOf(maior) + 2) % 10, 1).toStdString() + "p";
        QCOMPARE(Vencedor(vira, {M + "c", m + "c", m + "e", m + "o"}), 0);
        QCOMPARE(Vencedor(vira, {m + "c", M + "e", m + "e", m + "o"}), 1);
        QCOMPARE(Vencedor(vira, {m + "c", m + "e", m + "o", M + "o"}), 3);
    }

    void manilhasDepoisDaVira_data()
    {
        QTest::addColumn<QString>("vira");
        QTest::addColumn<QString>("manilha");
        QTest::addColumn<QString>("maiorComum");
        QTest::newRow("vira 4") << "4"
                                << "5"
                                << "3";
        QTest::newRow("vira 5") << "5"
                                << "6"
                                << "3";
        QTest::newRow("vira 6") << "6"
                                << "7"
                                << "3";
        QTest::newRow("vira 7") << "7"
                                << "Q"
                                << "3";
        QTest::newRow("vira Q") << "Q"
                                << "J"
                                << "3";
        QTest::newRow("vira J") << "J"
                                << "K"
                                << "3";
        QTest::newRow("vira K") << "K"
                                << "A"
                                << "3";
        QTest::newRow("vira A") << "A"
                                << "2"
                                << "3";
        QTest::newRow("vira 2") << "2"
                                << "3"
                                << "2";
        QTest::newRow("vira 3 volta ao 4") << "3"
                                           << "4"
                                           << "2";
    }

    void manilhasDepoisDaVira()
    {
        QFETCH(QString, vira);
        QFETCH(QString, manilha);
        QFETCH(QString, maiorComum);
        const std::string v = vira.toStdString() + "c", m = manilha.toStdString();
        const std::string comum = maiorComum.toStdString();
        // Clubs > hearts > spades > diamonds, whatever the seats.
        QCOMPARE(Vencedor(v, {m + "o", m + "e", m + "c", m + "p"}), 3);
        QCOMPARE(Vencedor(v, {m + "p", m + "o", m + "e", m + "c"}), 0);
        QCOMPARE(Vencedor(v, {m + "e", m + "c", m + "o", comum + "p"}), 1);
        QCOMPARE(Vencedor(v, {m + "e", comum + "p", m + "o", comum + "c"}), 0);
        // The lowest manilha beats the best ordinary card.
        QCOMPARE(Vencedor(v, {comum + "p", comum + "e", comum + "o", m + "o"}), 3);
    }

    void naipeNaoContaForaDasManilhas()
    {
        // Vira 4: the fives are manilhas; equal kings from both teams tie.
        QCOMPARE(Vencedor("4p", {"Kp", "Ko", "6c", "7e"}), -1);
        QCOMPARE(Vencedor("4p", {"7p", "3o", "3p", "6c"}), -1);
        // Equal threes from partners are no tie: their team takes it, the first of them named.
        QCOMPARE(Vencedor("4p", {"7p", "3o", "6c", "3p"}), 1);
    }
};

QTEST_APPLESS_MAIN(TstCartas)
#include "tst_cartas.moc"
