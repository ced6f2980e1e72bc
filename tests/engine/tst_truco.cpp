// Truco calls and raises, refusals at every step, and the hands of eleven and iron.
#include "MesaDeTeste.h"

class TstTruco : public QObject
{
    Q_OBJECT

    static constexpr const char* kCartas = "3p Kc 6c 7o / 3e Jp Qe Jo / 7p Qp Jc Ko";

private slots:
    void pedidoNaVezEResposta()
    {
        Partida p = Mesa(kCartas);
        QVERIFY(p.Motivo(Lance::Trucar(1)).has_value());
        QVERIFY(!p.Jogar(Lance::Trucar(1)).Aceito());
        QVERIFY(!p.TrucoPendente());

        auto e = Joga(p, Lance::Trucar(0));
        QCOMPARE(e.size(), size_t(1));
        QCOMPARE(e[0].tipo, T::Truco);
        QCOMPARE(e[0].equipe, 0);
        QCOMPARE(e[0].valor, 3);
        QCOMPARE(e[0].jogador, 0);
        QCOMPARE(p.ValorMao(), 1);
        // While the call waits no card is played and the caller's team cannot answer it.
        QVERIFY(!p.Jogar(Lance::JogarCarta(0, 0)).Aceito());
        QVERIFY(!p.Jogar(Lance::Aceitar(2)).Aceito());
        QVERIFY(p.DeveAgir(1) && p.DeveAgir(3) && !p.DeveAgir(0) && !p.DeveAgir(2));
        // Either opponent answers; the first answer counts, the turn stays where it was.
        e = Joga(p, Lance::Aceitar(3));
        QCOMPARE(e.size(), size_t(1));
        QCOMPARE(e[0].tipo, T::TrucoAceito);
        QVERIFY(!p.Jogar(Lance::Recusar(1)).Aceito());
        QCOMPARE(p.ValorMao(), 3);
        QCOMPARE(p.Vez(), 0);
        QVERIFY(p.DeveAgir(0));
        // The same team may not call twice in a row.
        QVERIFY(!p.Jogar(Lance::Trucar(0)).Aceito());
    }

    void pedidosAlternamAteDoze()
    {
        Partida p = Mesa(kCartas);
        Joga(p, Lance::Trucar(0));
        Joga(p, Lance::Aceitar(1));
        JogaCarta(p, 0, "7p");
        // On his turn the other team asks 6; the raise of 9 may come from the partner who is not
        // on turn; then 12, and nothing above it.
        QCOMPARE(Joga(p, Lance::Trucar(1)).at(0).valor, 6);
        QVERIFY(!p.Jogar(Lance::Trucar(3)).Aceito());
        QCOMPARE(Joga(p, Lance::Trucar(2)).at(0).valor, 9);
        QCOMPARE(p.ValorMao(), 6);
        QCOMPARE(Joga(p, Lance::Trucar(3)).at(0).valor, 12);
        QCOMPARE(p.ValorMao(), 9);
        QVERIFY(!p.Jogar(Lance::Trucar(0)).Aceito());
        Joga(p, Lance::Aceitar(0));
        QCOMPARE(p.ValorMao(), 12);
        QCOMPARE(p.Vez(), 1);
        QVERIFY(!p.Jogar(Lance::Trucar(1)).Aceito());
        JogaCarta(p, 1, "Qp");
        QVERIFY(!p.Jogar(Lance::Trucar(2)).Aceito());
    }

    void recusaEmCadaDegrau_data()
    {
        QTest::addColumn<int>("pedidos");
        QTest::addColumn<int>("pontosDeQuemPediu");
        QTest::addColumn<bool>("depoisDeAceitar"); // the truco taken and a card played first
        QTest::newRow("recusa o truco") << 1 << 1 << false;
        QTest::newRow("recusa o seis") << 2 << 3 << false;
        QTest::newRow("recusa o seis depois de aceitar") << 2 << 3 << true;
        QTest::newRow("recusa o nove") << 3 << 6 << false;
        QTest::newRow("recusa o doze") << 4 << 9 << false;
    }

    void recusaEmCadaDegrau()
    {
        QFETCH(int, pedidos);
        QFETCH(int, pontosDeQuemPediu);
        QFETCH(bool, depoisDeAceitar);
        Partida p = Mesa(kCartas, 0, {2, 1});
        // Seat 0 calls, then the teams raise in turn: 1, 0, 1.
        for (int i = 0; i < pedidos; ++i) {
            Joga(p, Lance::Trucar(i % 2));
            if (i == 0 && depoisDeAceitar) {
                Joga(p, Lance::Aceitar(1));
                JogaCarta(p, 0, "7p");
            }
        }
        const int quemPediu = (pedidos - 1) % 2;
        const auto e = Joga(p, Lance::Recusar(1 - quemPediu + 2));
        const auto* fim = Primeiro(e, T::FimMao);
        QVERIFY(fim);
        std::array<int, 2> esperado{2, 1};
        esperado[quemPediu] += pontosDeQuemPediu;
        QCOMPARE(fim->placar, esperado);
        // No trick was closed: the refusal ends the hand and the next one is dealt.
        QVERIFY(!Primeiro(e, T::FimVaza));
        QCOMPARE(e[1].tipo, T::Distribuicao);
    }

    void maoDeOnzeJogada()
    {
        std::vector<Evento> e;
        Partida p = Mesa(kCartas, 1, {11, 4}, "4p", &e);
        QCOMPARE(e.size(), size_t(1));
        QCOMPARE(e[0].tipoMao, TipoMao::Onze);
        QCOMPARE(e[0].equipe, 0);
        // The team at eleven sees its partner's cards; the others see only their own.
        using V = std::array<int, 6>;
        QCOMPARE(e[0].vistas[0], (V{C("3p"), C("3e"), C("7p"), C("6c"), C("Qe"), C("Jc")}));
        QCOMPARE(e[0].vistas[2], (V{C("6c"), C("Qe"), C("Jc"), C("3p"), C("3e"), C("7p")}));
        QCOMPARE(e[0].vistas[1], (V{C("Kc"), C("Jp"), C("Qp"), 0, 0, 0}));
        QCOMPARE(e[0].vistas[3], (V{C("7o"), C("Jo"), C("Ko"), 0, 0, 0}));
        QCOMPARE(p.VisaoDe(2).maoParceiro, (std::array<int, 3>{C("3p"), C("3e"), C("7p")}));
        QCOMPARE(p.VisaoDe(3).maoParceiro, (std::array<int, 3>{}));
        // Nothing is played until the team at eleven decides, and only it decides.
        QVERIFY(!p.Jogar(Lance::JogarCarta(1, 0)).Aceito());
        QVERIFY(!p.Jogar(Lance::Aceitar(1)).Aceito());
        QVERIFY(p.DeveAgir(0) && p.DeveAgir(2) && !p.DeveAgir(1));
        e = Joga(p, Lance::Aceitar(2));
        QCOMPARE(e.size(), size_t(2));
        QCOMPARE(e[0].tipo, T::FimOnze);
        QCOMPARE(e[1].tipo, T::Vez);
        QCOMPARE(e[1].jogador, 1);
        // Worth 3, and no truco in it.
        QCOMPARE(p.ValorMao(), 3);
        QVERIFY(!p.Jogar(Lance::Trucar(1)).Aceito());
        QVERIFY(!p.Jogar(Lance::Aceitar(2)).Aceito());
        JogaVaza(p, "3p Kc 6c 7o");
        QVERIFY(!p.Jogar(Lance::Trucar(0)).Aceito());
        e = JogaVaza(p, "3e Jp Qe Jo");
        QCOMPARE(Primeiro(e, T::FimMao)->placar, (std::array<int, 2>{14, 4}));
        QCOMPARE(Primeiro(e, T::FimJogo)->equipe, 0);
    }

    void maoDeOnzeRecusada()
    {
        Partida p = Mesa(kCartas, 0, {4, 11});
        QVERIFY(!p.Jogar(Lance::Recusar(0)).Aceito());
        const auto e = Joga(p, Lance::Recusar(3));
        QCOMPARE(e.size(), size_t(3));
        QCOMPARE(e[0].tipo, T::FimOnze);
        QCOMPARE(e[1].tipo, T::FimMao);
        QCOMPARE(e[1].placar, (std::array<int, 2>{5, 11}));
        // Still at eleven: the next deal is another hand of eleven for the same team.
        QCOMPARE(e[2].tipo, T::Distribuicao);
        QCOMPARE(e[2].tipoMao, TipoMao::Onze);
        QCOMPARE(e[2].equipe, 1);
    }

    void maoDeFerroAsCegas()
    {
        std::vector<Evento> e;
        Partida p = Mesa(kCartas, 0, {11, 11}, "4p", &e);
        QCOMPARE(e.at(0).tipoMao, TipoMao::Ferro);
        QCOMPARE(e.at(0).vira, C("4p"));
        for (int j = 0; j < 4; ++j) {
            QCOMPARE(e.at(0).vistas[j], (std::array<int, 6>{}));
            QCOMPARE(p.VisaoDe(j).mao, (std::array<int, 3>{}));
        }
        QCOMPARE(e.at(1).tipo, T::Vez);
        QVERIFY(!p.Jogar(Lance::Trucar(0)).Aceito());
        QCOMPARE(p.ValorMao(), 1);
        // Each card shows when played.
        QCOMPARE(Joga(p, Lance::JogarCarta(0, 1)).at(0).codigo, C("3e"));
        JogaCarta(p, 1, "Jp");
        JogaCarta(p, 2, "Qe");
        QCOMPARE(Primeiro(JogaCarta(p, 3, "Jo"), T::FimVaza)->jogador, 0);
        // Face down is asked in the second trick, but a blind card shows all the same.
        e = JogaVaza(p, "_3p _Kc _6c _7o");
        QCOMPARE(e.at(0).codigo, C("3p"));
        QCOMPARE(Primeiro(e, T::FimMao)->placar, (std::array<int, 2>{12, 11}));
        QCOMPARE(Primeiro(e, T::FimJogo)->equipe, 0);
    }
};

QTEST_APPLESS_MAIN(TstTruco)
#include "tst_truco.moc"
