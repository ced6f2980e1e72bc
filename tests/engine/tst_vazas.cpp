// Tricks and hands: who takes a trick, who leads the next, face-down cards, and how tied tricks
// decide a hand.
#include "MesaDeTeste.h"

class TstVazas : public QObject
{
    Q_OBJECT

private slots:
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
