// Tricks and hands: the strength of cards after every vira, the client's card codes, who takes a
// trick and leads the next, face-down cards, and how tied tricks decide a hand.
#include "MesaDeTeste.h"

class TstVazas : public QObject
{
    Q_OBJECT

    // One trick led by seat 0; the seat that took it, or -1 for a tie.
    static int Vencedor(const std::string& vira, const std::string& cartas)
    {
        Partida p = Mesa(cartas, 0, {}, vira);
        bool ok = false;
        const int v = Resumo(JogaVaza(p, cartas)).section("vaza:", 1).section(':', 0, 0).toInt(&ok);
        return ok ? v : -99;
    }

private slots:
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

    void ordemDasMensagensDeUmaVaza()
    {
        // Seat 2 leads; the three of seat 0 takes it and seat 0 leads next.
        Partida p = Mesa("3p Jc 2c 7o / Ke Qe 6e 6p", 2);
        QCOMPARE(Resumo(JogaVaza(p, "3p Jc 2c 7o")),
                 "2:2c vez:3 3:7o vez:0 0:3p vez:1 1:Jc vaza:0:1-0 vez:0");
    }

    void cartasCobertas()
    {
        // In the first trick a card asked face down is played open. Later it loses even to a
        // four, face-down cards make no tie among themselves, and only the owner sees his card.
        Partida p = Mesa("_3p Kc 6c Qo / _3e 4e _2c _2o");
        QVERIFY(Resumo(JogaVaza(p, "_3p Kc 6c Qo")).startsWith("0:3p"));
        QCOMPARE(Resumo(JogaVaza(p, "_3e 4e _2c _2o")),
                 "0:-- vez:1 1:4e vez:2 2:-- vez:3 3:-- vaza:1:1-1 vez:1");
        QCOMPARE(p.VisaoDe(1).historico[4].codigo, 0);
        QCOMPARE(p.VisaoDe(0).historico[4].codigo, C("3e"));
    }

    void quemGanhaAMao_data()
    {
        // Each trick's winner (-1 for a tie), the tricks per team and who leads next; then the
        // hand's end from 4-7 and the next deal, one seat later.
        QTest::addColumn<int>("primeiro");
        QTest::addColumn<QString>("vazas");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("duas vazas") << 0 << "3p Kc 6c 7o / 3e Jp Qe Jo"
                                    << "vaza:0:1-0 vez:0 vaza:0:2-0 mao:5-7 dist:normal:-1 vez:1";
        QTest::newRow("parceiros empatam no alto")
            << 2 << "Ap 3c 6c 3o / Ae 2c Qe Jo"
            << "vaza:3:0-1 vez:3 vaza:1:0-2 mao:4-8 dist:normal:-1 vez:3";
        QTest::newRow("primeira empatada")
            << 1 << "Kp Kc 6c 7o / Qp Ac Qe Jo"
            << "vaza:-1:0-0 vez:1 vaza:1:0-1 mao:4-8 dist:normal:-1 vez:2";
        QTest::newRow("duas empatadas")
            << 0 << "Kp Kc 6c 7o / Qp Qc 4e 4o / 6p 7c Ae Jo"
            << "vaza:-1:0-0 vez:0 vaza:-1:0-0 vez:0 vaza:2:1-0 mao:5-7 dist:normal:-1 vez:1";
        QTest::newRow("segunda empatada")
            << 0 << "Kp Ac 6c 7o / Qp Qc 4e 4o"
            << "vaza:1:0-1 vez:1 vaza:-1:0-1 mao:4-8 dist:normal:-1 vez:1";
        QTest::newRow("terceira empatada")
            << 0 << "3p Ac 6c 7o / Qp 2c 4e 4o / Kp Kc Qe Jo"
            << "vaza:0:1-0 vez:0 vaza:1:1-1 vez:1 vaza:-1:1-1 mao:5-7 dist:normal:-1 vez:1";
        QTest::newRow("tres empatadas")
            << 3 << "Kp Kc 7e 7o / Qp Qc 4e 4o / 6p 6c 6e 6o"
            << "vaza:-1:0-0 vez:3 vaza:-1:0-0 vez:3 vaza:-1:0-0 mao:4-7 dist:normal:-1 vez:0";
    }

    void quemGanhaAMao()
    {
        QFETCH(int, primeiro);
        QFETCH(QString, vazas);
        QFETCH(QString, esperado);
        Partida p = Mesa(vazas.toStdString(), primeiro, {4, 7});
        QStringList todos, visto;
        for (const QString& vaza : vazas.split('/'))
            todos << Resumo(JogaVaza(p, vaza.toStdString())).split(' ');
        // Leave out the cards and the turns between them.
        for (int i = 0; i < todos.size(); ++i)
            if (!todos[i][0].isDigit() &&
                !(todos[i].startsWith("vez") && todos[i - 1][0].isDigit()))
                visto << todos[i];
        QCOMPARE(visto.join(' '), esperado);
    }
};

QTEST_APPLESS_MAIN(TstVazas)
#include "tst_vazas.moc"
