// The strength of cards as tricks decide it: the ordinary order, the manilhas after every vira,
// and the client's card codes.
#include "Carta.h"
#include "MesaDeTeste.h"

class TstCartas : public QObject
{
    Q_OBJECT

    // One trick led by seat 0; the seat that took it, or -1 for a tie.
    static int Vencedor(const std::string& vira, const std::string& cartas)
    {
        Partida p = Mesa(cartas, 0, {}, vira);
        const auto* fim = Primeiro(JogaVaza(p, cartas), T::FimVaza);
        return fim ? fim->jogador : -99;
    }

private slots:
    void codigosDaImagemDoCliente()
    {
        // The client draws code c from row (c-1)/10 (suit) and column (c-1)%10 (rank).
        QCOMPARE(Carta::Codigo(0, 0), 1);  // four of clubs
        QCOMPARE(Carta::Codigo(7, 2), 28); // ace of spades
        QCOMPARE(Carta::Codigo(9, 3), 40); // three of diamonds
    }

    void ordemDasCartasComuns_data()
    {
        QTest::addColumn<int>("i");
        for (int i = 0; i < 9; ++i)
            QTest::newRow(qPrintable(QString("4567QJKA23").mid(i, 2))) << i;
    }

    void ordemDasCartasComuns()
    {
        QFETCH(int, i);
        const std::string ordem = "4567QJKA23";
        const std::string m(1, ordem[i]), M(1, ordem[i + 1]);
        // A vira whose manilhas are neither rank.
        const std::string vira = ordem.substr((i + 3) % 10, 1) + "p";
        QCOMPARE(Vencedor(vira, M + "c " + m + "c " + m + "e " + m + "o"), 0);
        QCOMPARE(Vencedor(vira, m + "c " + M + "e " + m + "e " + m + "o"), 1);
        QCOMPARE(Vencedor(vira, m + "c " + m + "e " + m + "o " + M + "o"), 3);
    }

    void manilhasDepoisDaVira_data()
    {
        // The vira, its manilha and the best ordinary card left.
        QTest::addColumn<QString>("vmc");
        for (const char* t : {"453", "563", "673", "7Q3", "QJ3", "JK3", "KA3", "A23", "232", "342"})
            QTest::newRow(t) << QString(t);
    }

    void manilhasDepoisDaVira()
    {
        QFETCH(QString, vmc);
        const std::string v = vmc.left(1).toStdString() + "c", m = vmc.mid(1, 1).toStdString(),
                          c = vmc.right(1).toStdString();
        // Clubs > hearts > spades > diamonds, whatever the seats.
        QCOMPARE(Vencedor(v, m + "o " + m + "e " + m + "c " + m + "p"), 3);
        QCOMPARE(Vencedor(v, m + "p " + m + "o " + m + "e " + m + "c"), 0);
        QCOMPARE(Vencedor(v, m + "e " + m + "c " + m + "o " + c + "p"), 1);
        QCOMPARE(Vencedor(v, m + "e " + c + "p " + m + "o " + c + "c"), 0);
        // The lowest manilha beats the best ordinary card.
        QCOMPARE(Vencedor(v, c + "p " + c + "e " + c + "o " + m + "o"), 3);
    }
};

QTEST_APPLESS_MAIN(TstCartas)
#include "tst_cartas.moc"
