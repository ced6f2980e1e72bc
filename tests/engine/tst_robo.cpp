// The bot's choices in situations set up on the engine: it must play sensibly and only legally.
#include "MesaDeTeste.h"
#include "Robo.h"

class TstRobo : public QObject
{
    Q_OBJECT

    static Lance Decide(Partida& p, int jogador)
    {
        const auto validos = p.LancesValidos(jogador);
        const Lance l = Robo().Decidir(p.VisaoDe(jogador), validos);
        QTest::qVerify(std::find(validos.begin(), validos.end(), l) != validos.end(), "Decidir",
                       "lance ilegal", __FILE__, __LINE__);
        return l;
    }

    static Lance::Tipo Tipo(const std::string& cartas, int jogador, std::array<int, 2> pontos = {})
    {
        Partida p = Mesa(cartas, 0, pontos);
        return Decide(p, jogador).tipo;
    }

private slots:
    void escolheACarta_data()
    {
        QTest::addColumn<int>("primeiro");
        QTest::addColumn<QString>("antes"); // played before seat 0, in seat order from seat 1
        QTest::addColumn<QString>("cartas");
        QTest::addColumn<QString>("escolhida");
        // Seat 0 is last and his partner's two cannot be beaten: keep the king.
        QTest::newRow("parceiro ganha") << 1 << "Qc 2p 4o"
                                        << "Ke Qc 2p 5p / Qe 4c 6e 4o / 7e 6c Jc Ac"
                                        << "7e";
        QTest::newRow("vence com a menor") << 3 << "- - Ko"
                                           << "3e Qc 2p Ko / Ae 4c 6e 4o / 5o 6c Jc Ac"
                                           << "Ae";
        QTest::newRow("sem como vencer") << 3 << "- - 5c"
                                         << "Ke Qc 2p 5c / Qe 4c 6e 4o / 7e 6c Jc Ac"
                                         << "7e";
    }

    void escolheACarta()
    {
        QFETCH(int, primeiro);
        QFETCH(QString, antes);
        QFETCH(QString, cartas);
        QFETCH(QString, escolhida);
        Partida p = Mesa(cartas.toStdString(), primeiro);
        const QStringList jogadas = antes.split(' ');
        for (int j = primeiro; j != 0; j = (j + 1) % 4)
            JogaCarta(p, j, jogadas[j - 1].toStdString());
        const Lance l = Decide(p, 0);
        QCOMPARE(l.tipo, Lance::Tipo::Carta);
        QCOMPARE(p.CartaNaMao(0, l.posicao), C(escolhida.toStdString()));
    }

    void trucoPelaForcaDaMao()
    {
        QCOMPARE(Tipo("5p Qc 2p Ko / 5c 4c 6e 4o / 3e 6c Jc Ac", 0), Lance::Tipo::Truco);
        QCOMPARE(Tipo("4e Qc 2p Ko / 6o 4c 6e 4o / 7e 6c Jc Ac", 0), Lance::Tipo::Carta);
        Partida p = Mesa("4e Qc 5e Ko / 6o 4c 3o 4o / 7e 6c 2c Ac", 1);
        Joga(p, Lance::Trucar(1));
        QCOMPARE(Decide(p, 0).tipo, Lance::Tipo::Recusar);
        const auto forte = Decide(p, 2).tipo;
        QVERIFY(forte == Lance::Tipo::Aceitar || forte == Lance::Tipo::Truco);
    }

    void maoDeOnzePelasCartasDosDois()
    {
        // Seat 1 alone holds nothing strong; with his partner's two manilhas the pair plays.
        QCOMPARE(Tipo("Ke Qc 2p 5p / Qe 4c 6e 5c / 7e 6c Jc Ac", 1, {3, 11}), Lance::Tipo::Aceitar);
        QCOMPARE(Tipo("Ke Qc 2p Jp / Qe 4c 6e Kc / 7e 6c Jc Ac", 1, {3, 11}), Lance::Tipo::Recusar);
        // Strong at eleven: it plays, and then plays a card, for there is no truco to ask.
        Partida onze = Mesa("5p Qc 5o Ko / 5c 4c 2e 4o / 3e 6c Jc Ac", 0, {11, 3});
        QCOMPARE(Decide(onze, 0).tipo, Lance::Tipo::Aceitar);
        Joga(onze, Lance::Aceitar(0));
        QCOMPARE(Decide(onze, 0).tipo, Lance::Tipo::Carta);
    }

    void jogaAsCegasNaMaoDeFerro()
    {
        Partida p = Mesa("Ke Qc 2p 5p", 2, {11, 11});
        for (int k = 0; k < 4; ++k) {
            const Lance l = Decide(p, p.Vez());
            QCOMPARE(l.tipo, Lance::Tipo::Carta);
            QVERIFY(p.Jogar(l).Aceito());
        }
    }
};

QTEST_APPLESS_MAIN(TstRobo)
#include "tst_robo.moc"
