// Tricks and hands: who takes a trick, who leads the next, face-down cards, and how tied tricks
// decide a hand.
#include "MesaDeTeste.h"

class TstVazas : public QObject
{
    Q_OBJECT

private slots:
    void ordemDasMensagensDeUmaVaza()
    {
        Partida p = Mesa("3p Jc 2c 7o / Ke Qe 6e 6p", 2);
        const auto e = JogaVaza(p, "3p Jc 2c 7o");
        std::vector<T> tipos;
        for (const auto& x : e)
            tipos.push_back(x.tipo);
        QCOMPARE(tipos, (std::vector<T>{T::Carta, T::Vez, T::Carta, T::Vez, T::Carta, T::Vez,
                                        T::Carta, T::FimVaza, T::Vez}));
        // Seat 2 led; play goes 2, 3, 0, 1; the three of seat 0 takes it and seat 0 leads next.
        QCOMPARE(e[0].jogador, 2);
        QCOMPARE(e[1].jogador, 3);
        QCOMPARE(e[6].jogador, 1);
        QCOMPARE(e[7].jogador, 0);
        QCOMPARE(e[8].jogador, 0);
    }

    void cartasCobertas()
    {
        Partida p = Mesa("_3p Kc 6c Qo / _3e 4e _2c _2o");
        // In the first trick a card asked face down is played open.
        QCOMPARE(JogaVaza(p, "_3p Kc 6c Qo")[0].codigo, C("3p"));
        // Later it loses even to a four, and face-down cards make no tie among themselves.
        const auto e = JogaVaza(p, "_3e 4e _2c _2o");
        QCOMPARE(Primeiro(e, T::FimVaza)->jogador, 1);
        // The others see a card with no face; its owner still sees his own card.
        QCOMPARE(e[0].codigo, 0);
        QCOMPARE(p.VisaoDe(1).historico[4].codigo, 0);
        QCOMPARE(p.VisaoDe(0).historico[4].codigo, C("3e"));
    }

    void quemGanhaAMao_data()
    {
        QTest::addColumn<int>("primeiro");
        QTest::addColumn<QString>("vazas");
        QTest::addColumn<QString>("vencedores"); // of each trick, -1 for a tie
        QTest::addColumn<int>("equipe");         // that takes the hand, -1 for none
        QTest::newRow("duas vazas") << 0 << "3p Kc 6c 7o / 3e Jp Qe Jo"
                                    << "0 0" << 0;
        QTest::newRow("parceiros empatam no alto") << 2 << "Ap 3c 6c 3o / Ae 2c Qe Jo"
                                                   << "3 1" << 1;
        QTest::newRow("primeira empatada") << 1 << "Kp Kc 6c 7o / Qp Ac Qe Jo"
                                           << "-1 1" << 1;
        QTest::newRow("duas empatadas") << 0 << "Kp Kc 6c 7o / Qp Qc 4e 4o / 6p 7c Ae Jo"
                                        << "-1 -1 2" << 0;
        QTest::newRow("segunda empatada") << 0 << "Kp Ac 6c 7o / Qp Qc 4e 4o"
                                          << "1 -1" << 1;
        QTest::newRow("terceira empatada") << 0 << "3p Ac 6c 7o / Qp 2c 4e 4o / Kp Kc Qe Jo"
                                           << "0 1 -1" << 0;
        QTest::newRow("tres empatadas") << 3 << "Kp Kc 7e 7o / Qp Qc 4e 4o / 6p 6c 6e 6o"
                                        << "-1 -1 -1" << -1;
    }

    void quemGanhaAMao()
    {
        QFETCH(int, primeiro);
        QFETCH(QString, vazas);
        QFETCH(QString, vencedores);
        QFETCH(int, equipe);
        Partida p = Mesa(vazas.toStdString(), primeiro, {4, 7});
        const QStringList cartas = vazas.split('/'), quem = vencedores.split(' ');
        std::array<int, 2> ganhas{};
        std::vector<Evento> e;
        for (int k = 0; k < quem.size(); ++k) {
            if (k > 0)
                QVERIFY(!Primeiro(e, T::FimMao));
            const int lider = p.Vez(), v = quem[k].toInt();
            e = JogaVaza(p, cartas[k].toStdString());
            const auto* fim = Primeiro(e, T::FimVaza);
            QVERIFY(fim);
            QCOMPARE(fim->jogador, v);
            if (v >= 0)
                ++ganhas[v % 2];
            QCOMPARE(fim->placar, ganhas);
            // The winner leads the next trick; after a tie, whoever led it.
            if (!Primeiro(e, T::FimMao))
                QCOMPARE(p.Vez(), v >= 0 ? v : lider);
        }
        const auto* fim = Primeiro(e, T::FimMao);
        QVERIFY(fim);
        QCOMPARE(fim->placar, (std::array<int, 2>{4 + (equipe == 0), 7 + (equipe == 1)}));
        // The next hand is dealt at once and starts one seat later.
        QVERIFY(Primeiro(e, T::Distribuicao));
        QCOMPARE(p.Vez(), (primeiro + 1) % 4);
    }
};

QTEST_APPLESS_MAIN(TstVazas)
#include "tst_vazas.moc"
