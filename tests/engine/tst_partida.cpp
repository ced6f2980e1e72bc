// Whole games: the end at 12, replay by seed, what each seat may see, refused moves changing
// nothing, and games played to the end by bots.
#include "MesaDeTeste.h"
#include "Robo.h"
#include "Simulacao.h"

#include <set>

class TstPartida : public QObject
{
    Q_OBJECT

    using T = Evento::Tipo;

    static std::vector<Evento> JogoDeRobos(std::uint32_t semente)
    {
        ConfiguracaoPartida c;
        c.semente = semente;
        Partida p(c);
        Robo robo;
        return Simulacao::JogarAteOFim(p, {&robo, &robo, &robo, &robo});
    }

    static QByteArray Resumo(const std::vector<Evento>& eventos)
    {
        QByteArray r;
        for (const auto& e : eventos)
            r += QByteArray::number(int(e.tipo)) + ':' + QByteArray::number(e.jogador) + ':' +
                 QByteArray::number(e.codigo) + ':' + QByteArray::number(e.valor) + ' ';
        return r;
    }

private slots:
    void cleanup()
    {
        QCOMPARE(Recusas(), 0);
        Recusas() = 0;
    }

    void terminaEmDozeComOVencedorCerto()
    {
        // Team 1 at 10 wins a hand at 3 points: 13, game over for team 1.
        Partida p = NovaPartida(1, {9, 10});
        p.FixarDistribuicao(Deal("4p", {{{"Kp", "Qp"}, {"3c", "3e"}, {"6c", "4e"}, {"7o", "4o"}}}));
        p.Comecar();
        Joga(p, Lance::Trucar(1));
        Joga(p, Lance::Aceitar(0));
        JogaVaza(p, {"Kp", "3c", "6c", "7o"});
        const auto e = JogaVaza(p, {"Qp", "3e", "4e", "4o"});
        QCOMPARE(e.at(e.size() - 2).tipo, T::FimMao);
        QCOMPARE(e.at(e.size() - 2).placar, (std::array<int, 2>{9, 13}));
        QCOMPARE(e.back().tipo, T::FimJogo);
        QCOMPARE(e.back().equipe, 1);
        QCOMPARE(e.back().jogador % 2, 1);
        QVERIFY(p.Terminada());
        QCOMPARE(p.EquipeVencedora(), 1);
        // Nothing more is dealt and no move is taken.
        QVERIFY(!Primeiro(e, T::Distribuicao));
        for (int j = 0; j < 4; ++j)
            QVERIFY(p.LancesValidos(j).empty());
    }

    void recusaQueLevaADoze()
    {
        Partida p = NovaPartida(0, {11 - 2, 3});
        p.Comecar();
        Joga(p, Lance::Trucar(0));
        Joga(p, Lance::Trucar(1));
        Joga(p, Lance::Trucar(2));
        // Team 0 asked 9 after 6 was taken: refusing gives it 6, and 9 + 6 ends the game.
        const auto e = Joga(p, Lance::Recusar(1));
        QCOMPARE(e.at(0).placar, (std::array<int, 2>{15, 3}));
        QCOMPARE(e.at(1).tipo, T::FimJogo);
        QCOMPARE(e.at(1).equipe, 0);
    }

    void onzeNaoTerminaOJogo()
    {
        Partida p = NovaPartida(0, {10, 0});
        p.FixarDistribuicao(Deal("4p", {{{"3p", "3e"}, {"Kc", "Jp"}, {"6c", "Qe"}, {"7o", "Jo"}}}));
        p.Comecar();
        JogaVaza(p, {"3p", "Kc", "6c", "7o"});
        const auto e = JogaVaza(p, {"3e", "Jp", "Qe", "Jo"});
        QVERIFY(!Primeiro(e, T::FimJogo));
        QCOMPARE(Primeiro(e, T::Distribuicao)->tipoMao, TipoMao::Onze);
        QVERIFY(!p.Terminada());
    }

    void lanceRecusadoNaoMudaNada()
    {
        Partida p = NovaPartida(2);
        p.FixarDistribuicao(Deal("4p", {{{"Kp", "Qp"}, {"Kc", "Jp"}, {"3c", "3e"}, {"7o", "Jo"}}}));
        p.Comecar();
        const Visao antes = p.VisaoDe(2);
        const auto validos = p.LancesValidos(2);
        for (const Lance& l :
             {Lance::JogarCarta(1, 0), Lance::JogarCarta(2, 3), Lance::JogarCarta(2, -1),
              Lance::JogarCarta(7, 0), Lance::Aceitar(3), Lance::Recusar(2), Lance::Trucar(0)}) {
            const auto r = p.Jogar(l);
            QVERIFY(!r.Aceito());
            QVERIFY(!r.motivo.empty());
            QVERIFY(r.eventos.empty());
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
        JogaVaza(p, {"Kp", "Kc", "3c", "7o"});
        QCOMPARE(p.Vez(), 2);
        QVERIFY(!p.Jogar(Lance::JogarCarta(2, 0)).Aceito());
        QCOMPARE(p.CartaNaMao(2, 0), 0);
        QVERIFY(p.Jogar(Lance::JogarCarta(2, 1)).Aceito());
    }

    void mesmaSementeMesmoJogo()
    {
        const auto a = JogoDeRobos(42);
        QCOMPARE(Resumo(JogoDeRobos(42)), Resumo(a));
        QVERIFY(Resumo(JogoDeRobos(43)) != Resumo(a));
        QCOMPARE(a.back().tipo, T::FimJogo);
    }

    void primeiroJogadorVemDaSementeEAndaUmPorMao()
    {
        std::set<int> primeiros;
        for (std::uint32_t s = 0; s < 40; ++s) {
            ConfiguracaoPartida c;
            c.semente = s;
            Partida p(c);
            const auto e = p.Comecar();
            primeiros.insert(e.at(1).jogador);
            // The next hand starts one seat later: refuse a call to end this one at once.
            const int vez = p.Vez();
            Joga(p, Lance::Trucar(vez));
            const auto r = Joga(p, Lance::Recusar((vez + 1) % 4));
            QCOMPARE(r.back().tipo, T::Vez);
            QCOMPARE(r.back().jogador, (vez + 1) % 4);
        }
        QCOMPARE(primeiros.size(), size_t(4));
    }

    void jogosDeRobosSaoCoerentes()
    {
        for (std::uint32_t s = 1; s <= 60; ++s) {
            const auto eventos = JogoDeRobos(s);
            std::array<int, 2> pontos{0, 0};
            int cartasNaMao = 0;
            for (const auto& e : eventos) {
                if (e.tipo == T::Distribuicao) {
                    QCOMPARE(cartasNaMao, 0);
                    std::set<int> codigos{e.vira};
                    for (int j = 0; j < 4; ++j)
                        for (int k = 0; k < 3; ++k)
                            codigos.insert(e.vistas[j][k]);
                    if (e.tipoMao != TipoMao::Ferro) {
                        QCOMPARE(codigos.size(), size_t(13));
                        QVERIFY(*codigos.begin() >= 1 && *codigos.rbegin() <= 40);
                    }
                    cartasNaMao = 12;
                } else if (e.tipo == T::Carta) {
                    --cartasNaMao;
                } else if (e.tipo == T::FimMao) {
                    const int ganho = e.placar[0] - pontos[0] + e.placar[1] - pontos[1];
                    QVERIFY2(std::set<int>({0, 1, 3, 6, 9, 12}).count(ganho),
                             qPrintable(QString::number(ganho)));
                    QVERIFY(e.placar[0] == pontos[0] || e.placar[1] == pontos[1]);
                    pontos = e.placar;
                    cartasNaMao = 0;
                }
            }
            QCOMPARE(eventos.back().tipo, T::FimJogo);
            const int v = eventos.back().equipe;
            QVERIFY(pontos[v] >= 12);
            QVERIFY(pontos[1 - v] < 12);
        }
    }

    void cadaUmVeSoOQuePode()
    {
        Partida p = NovaPartida(0);
        p.FixarDistribuicao(Deal(
            "4p",
            {{{"3p", "3e", "7p"}, {"Kc", "Jp", "Qp"}, {"6c", "Qe", "Jc"}, {"7o", "Jo", "Ko"}}}));
        const auto e = p.Comecar();
        for (int j = 0; j < 4; ++j) {
            for (int k = 0; k < 3; ++k)
                QCOMPARE(e[0].vistas[j][k], p.CartaNaMao(j, k));
            for (int k = 3; k < 6; ++k)
                QCOMPARE(e[0].vistas[j][k], 0);
            QCOMPARE(p.VisaoDe(j).maoParceiro, (std::array<int, 3>{}));
        }
        const Visao v = p.VisaoDe(1);
        QCOMPARE(v.mao, (std::array<int, 3>{C("Kc"), C("Jp"), C("Qp")}));
        QVERIFY(v.historico.empty());
    }
};

QTEST_APPLESS_MAIN(TstPartida)
#include "tst_partida.moc"
