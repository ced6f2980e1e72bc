// Whole games: the end at 12, replay by seed, what each seat may see, refused moves changing
// nothing, and games played to the end by bots.
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
    void terminaEmDozeComOVencedorCerto()
    {
        // At 10, a hand of 1 gives 11 and the game goes on into a hand of eleven.
        Partida onze = Mesa("3p Kc 6c 7o / 3e Jp Qe Jo", 0, {10, 0});
        JogaVaza(onze, "3p Kc 6c 7o");
        QVERIFY(Resumo(JogaVaza(onze, "3e Jp Qe Jo")).endsWith("mao:11-0 dist:onze:0"));
        QVERIFY(!onze.Terminada());
        // Team 1 at 10 wins a hand at 3 points: 13, game over for team 1, nothing more dealt.
        Partida p = Mesa("Kp 3c 6c 7o / Qp 3e 4e 4o", 1, {9, 10});
        Lances(p, "T1 A0");
        JogaVaza(p, "Kp 3c 6c 7o");
        QVERIFY(Resumo(JogaVaza(p, "Qp 3e 4e 4o")).endsWith("vaza:1:0-2 mao:9-13 fim:1:1"));
        QVERIFY(p.Terminada());
        QCOMPARE(p.EquipeVencedora(), 1);
        for (int j = 0; j < 4; ++j)
            QVERIFY(p.LancesValidos(j).empty());
        // A refused raise ends the game too: 9 + 6 for the 9 asked after the 6 was taken.
        Partida r = Mesa("", 0, {9, 3});
        QVERIFY(Resumo(Lances(r, "T0 T1 T2 R1")).endsWith("truco:2:0:9 mao:15-3 fim:0:0"));
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

    void cadaUmVeSoASuaMao()
    {
        std::vector<Evento> e;
        Partida p = Mesa("3p Kc 6c 7o / 3e Jp Qe Jo / 7p Qp Jc Ko", 0, {}, "4p", &e);
        for (int j = 0; j < 4; ++j) {
            const std::array<int, 6> esperado{
                p.CartaNaMao(j, 0), p.CartaNaMao(j, 1), p.CartaNaMao(j, 2), 0, 0, 0};
            QCOMPARE(e[0].vistas[j], esperado);
            QCOMPARE(p.VisaoDe(j).maoParceiro, (std::array<int, 3>{}));
        }
        QCOMPARE(p.VisaoDe(1).mao, (std::array<int, 3>{C("Kc"), C("Jp"), C("Qp")}));
        QVERIFY(p.VisaoDe(1).historico.empty());
    }

    void sementeDecideOJogoEQuemComeca()
    {
        const QString a = Resumo(JogoDeRobos(42));
        QCOMPARE(Resumo(JogoDeRobos(42)), a);
        QVERIFY(Resumo(JogoDeRobos(43)) != a);
        std::set<int> primeiros;
        for (std::uint32_t s = 0; s < 40; ++s) {
            Partida p(ConfiguracaoPartida{s});
            primeiros.insert(p.Comecar().at(1).jogador);
            // The next hand starts one seat later: refuse a call to end this one at once.
            const int vez = p.Vez();
            const int outro = (vez + 1) % 4;
            const auto r = Lances(p, "T" + std::to_string(vez) + " R" + std::to_string(outro));
            QVERIFY(Resumo(r).endsWith(QString("vez:%1").arg(outro)));
        }
        QCOMPARE(primeiros.size(), size_t(4));
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
