// Whole games: how a hand ends (refused, at eleven, past twelve), replay by seed, what each seat
// may see, refused moves changing nothing, and games played to the end by bots.
#include "MesaDeTeste.h"
#include "Robo.h"
#include "Simulacao.h"

class TstPartida : public QObject
{
    Q_OBJECT

    static std::vector<Evento> JogoDeRobos(std::uint32_t semente)
    {
        Partida p(ConfiguracaoPartida{semente});
        Robo robo;
        return Simulacao::JogarAteOFim(p, {&robo, &robo, &robo, &robo});
    }

private slots:
    void comoAMaoTermina_data()
    {
        // The deal, who plays first, the score, the moves and how the events end.
        QTest::addColumn<QString>("cartas");
        QTest::addColumn<int>("primeiro");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("lances");
        QTest::addColumn<QString>("fim");
        const QString truco = "3p Kc 6c 7o / 3e Jp Qe Jo / 7p Qp Jc Ko";
        // Refusals at every step: no trick is closed, the asker's team takes the value before
        // the one refused, and the next hand is dealt.
        QTest::newRow("recusa o truco") << truco << 0 << 2 << 1 << "T0 R3"
                                        << "truco:0:0:3 mao:3-1 dist:normal:-1 vez:1";
        QTest::newRow("recusa o seis") << truco << 0 << 2 << 1 << "T0 T1 R2"
                                       << "truco:1:1:6 mao:2-4 dist:normal:-1 vez:1";
        QTest::newRow("recusa o seis depois de aceitar")
            << truco << 0 << 2 << 1 << "T0 A1 0:7p T1 R2"
            << "truco:1:1:6 mao:2-4 dist:normal:-1 vez:1";
        QTest::newRow("recusa o nove") << truco << 0 << 2 << 1 << "T0 T1 T0 R3"
                                       << "truco:0:0:9 mao:8-1 dist:normal:-1 vez:1";
        QTest::newRow("recusa o doze") << truco << 0 << 2 << 1 << "T0 T1 T0 T1 R2"
                                       << "truco:1:1:12 mao:2-10 dist:normal:-1 vez:1";
        // A refused hand of eleven gives 1; the team still at eleven gets another.
        QTest::newRow("onze recusada") << truco << 0 << 4 << 11 << "!R0 R3"
                                       << "onze mao:5-11 dist:onze:1";
        QTest::newRow("chega a onze") << truco << 0 << 10 << 0 << "3p Kc 6c 7o 3e Jp Qe Jo"
                                      << "mao:11-0 dist:onze:0";
        QTest::newRow("passa de doze")
            << "Kp 3c 6c 7o / Qp 3e 4e 4o" << 1 << 9 << 10 << "T1 A0 3c 6c 7o Kp 3e 4e 4o Qp"
            << "vaza:1:0-2 mao:9-13 fim:1:1";
        QTest::newRow("recusa que leva a doze") << "" << 0 << 9 << 3 << "T0 T1 T2 R1"
                                                << "truco:2:0:9 mao:15-3 fim:0:0";
    }

    void comoAMaoTermina()
    {
        QFETCH(QString, cartas);
        QFETCH(int, primeiro);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, lances);
        QFETCH(QString, fim);
        Partida p = Mesa(cartas.toStdString(), primeiro, {a, b});
        const QString e = Resumo(Lances(p, lances.toStdString()));
        QVERIFY2(e.endsWith(fim), qPrintable(e));
        const int vencedora = fim.contains("fim:") ? fim.section("fim:", 1).left(1).toInt() : -1;
        QCOMPARE(p.Terminada(), vencedora >= 0);
        QCOMPARE(p.EquipeVencedora(), vencedora);
        // Once over, no move is taken.
        for (int j = 0; j < 4 && vencedora >= 0; ++j)
            QVERIFY(p.LancesValidos(j).empty());
    }

    void lanceRecusadoNaoMudaNada()
    {
        Partida p = Mesa("Kp Kc 3c 7o / Qp Jp 3e Jo", 2);
        const Visao antes = p.VisaoDe(2);
        const auto validos = p.LancesValidos(2);
        for (const Lance& l :
             {Lance::JogarCarta(1, 0), Lance::JogarCarta(2, 3), Lance::JogarCarta(2, -1),
              Lance::JogarCarta(7, 0), Lance::Aceitar(3), Lance::Recusar(2), Lance::Trucar(0)}) {
            const auto r = p.Jogar(l);
            QVERIFY(!r.Aceito() && !r.motivo.empty() && r.eventos.empty());
        }
        const Visao depois = p.VisaoDe(2);
        QCOMPARE(depois.mao, antes.mao);
        QCOMPARE(depois.jogadas, antes.jogadas);
        QCOMPARE(depois.vez, 2);
        QVERIFY(depois.historico.empty());
        QCOMPARE(p.LancesValidos(2), validos);
        QVERIFY(!p.TrucoPendente());
        // Seat 2 takes the trick with the card at position 0 and leads again: that position is
        // empty now, the next one is not.
        JogaVaza(p, "Kp Kc 3c 7o");
        QVERIFY(!p.Jogar(Lance::JogarCarta(2, 0)).Aceito());
        QCOMPARE(p.CartaNaMao(2, 0), 0);
        QVERIFY(p.Jogar(Lance::JogarCarta(2, 1)).Aceito());
    }

    void sementeDecideOJogo()
    {
        const QString a = Resumo(JogoDeRobos(42));
        QCOMPARE(Resumo(JogoDeRobos(42)), a);
        QVERIFY(Resumo(JogoDeRobos(43)) != a);
    }

    void jogosDeRobosSaoCoerentes()
    {
        for (std::uint32_t s = 1; s <= 60; ++s) {
            const auto eventos = JogoDeRobos(s);
            std::array<int, 2> pontos{};
            bool maoAberta = false;
            for (const auto& e : eventos) {
                if (e.tipo == T::Distribuicao) {
                    QVERIFY(!maoAberta);
                    maoAberta = true;
                    std::set<int> codigos{e.vira};
                    for (int j = 0; j < 4; ++j)
                        codigos.insert(e.vistas[j].begin(), e.vistas[j].begin() + 3);
                    if (e.tipoMao != TipoMao::Ferro)
                        QVERIFY(codigos.size() == 13 && *codigos.begin() >= 1 &&
                                *codigos.rbegin() <= 40);
                } else if (e.tipo == T::FimMao) {
                    const int ganho = e.placar[0] - pontos[0] + e.placar[1] - pontos[1];
                    QVERIFY2(std::set<int>({0, 1, 3, 6, 9, 12}).count(ganho),
                             qPrintable(QString::number(ganho)));
                    QVERIFY(e.placar[0] == pontos[0] || e.placar[1] == pontos[1]);
                    pontos = e.placar;
                    maoAberta = false;
                }
            }
            QCOMPARE(eventos.back().tipo, T::FimJogo);
            const int v = eventos.back().equipe;
            QVERIFY(pontos[v] >= 12 && pontos[1 - v] < 12);
        }
    }
};

QTEST_APPLESS_MAIN(TstPartida)
#include "tst_partida.moc"
