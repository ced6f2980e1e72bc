// A game at the table without the network; each person checks what he is told with a
// VerificadorJogo (which also checks the wire form of every message, bot logins included).
#include "MesaDeJogo.h"
#include "VerificadorJogo.h"

#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>

namespace {
const std::array<QString, 4> kLogins{"ana", "bruno", "carla", "davi"};

// Four seats around a MesaDeJogo; the persons answer through their VerificadorJogo.
struct Mesa
{
    std::deque<std::pair<int, MensagemJogo>> fila;
    std::array<QList<MensagemJogo>, 4> recebidas;
    std::array<std::unique_ptr<VerificadorJogo>, 4> jogadores;
    std::unique_ptr<MesaDeJogo> jogo;
    int terminou = -1;

    Mesa(const std::array<bool, 4>& robos, std::uint32_t semente, int tempoJogadaS = 0,
         std::array<int, 2> pontos = {0, 0})
    {
        std::array<QString, 4> logins = kLogins;
        for (int j = 0; j < 4; ++j)
            if (robos[j])
                logins[j] = QStringLiteral("Robô %1").arg(j + 1);
        for (int j = 0; j < 4; ++j) {
            jogadores[j] = std::make_unique<VerificadorJogo>(j, logins);
            jogadores[j]->DefinirPontos(pontos);
        }
        MesaDeJogo::Opcoes o;
        o.atrasoRoboMs = 0;
        o.tempoJogadaS = tempoJogadaS;
        o.partida.semente = semente;
        o.partida.pontos = pontos;
        jogo = std::make_unique<MesaDeJogo>(logins, robos, o, [this](int j, const MensagemJogo& m) {
            // Delivered from the event loop, as a socket would: never inside the table's call.
            fila.emplace_back(j, m);
            if (fila.size() == 1)
                QTimer::singleShot(0, jogo.get(), [this] { Processar(); });
        });
        QObject::connect(jogo.get(), &MesaDeJogo::Terminou, [this](int e) { terminou = e; });
    }

    // Delivers queued messages in order; answers go back to the table after the message that
    // caused them, as they would over a socket.
    void Processar()
    {
        while (!fila.empty()) {
            auto [j, m] = fila.front();
            fila.pop_front();
            recebidas[j] << m;
            if (auto r = jogadores[j]->Receber(m.comando, m.argumentos))
                jogo->Receber(j, r->comando, r->argumentos);
        }
    }

    QStringList Erros() const
    {
        QStringList e;
        for (const auto& j : jogadores)
            e << j->Erros();
        return e;
    }
};
} // namespace

class TstMesaDeJogo : public QObject
{
    Q_OBJECT
private slots:
    void quatroPessoasJogamAteOFim_data()
    {
        QTest::addColumn<uint>("semente");
        QTest::addColumn<bool>("truco");
        QTest::addColumn<bool>("aceita");
        QTest::newRow("sem truco") << 3u << false << true;
        QTest::newRow("truco aceito") << 4u << true << true;
        QTest::newRow("truco recusado") << 5u << true << false;
    }

    void quatroPessoasJogamAteOFim()
    {
        QFETCH(uint, semente);
        QFETCH(bool, truco);
        QFETCH(bool, aceita);
        Mesa m({false, false, false, false}, semente);
        for (auto& j : m.jogadores) {
            j->PedirTruco(truco);
            j->Aceitar(aceita);
        }
        m.jogo->Comecar();
        QTRY_VERIFY_WITH_TIMEOUT(m.terminou >= 0, 20000);
        QVERIFY2(m.Erros().isEmpty(), qPrintable(m.Erros().join('\n')));
        QVERIFY(m.jogo->Terminada());
        for (const auto& j : m.jogadores) {
            QVERIFY(j->Terminou());
            QCOMPARE(j->EquipeVencedora(), m.terminou);
            QCOMPARE(j->Pontos(), m.jogadores[0]->Pontos());
        }
        // Everyone heard the same game apart from his own cards.
        auto publicas = [&](int j) {
            QList<MensagemJogo> r;
            for (const auto& msg : m.recebidas[j])
                if (msg.comando != "cmPrt" && msg.comando != "cmM11")
                    r << msg;
            return r;
        };
        for (int j = 1; j < 4; ++j)
            QCOMPARE(publicas(j), publicas(0));
        QCOMPARE(m.recebidas[0].front().comando, QByteArray("cmJog"));
        QCOMPARE(m.recebidas[0].back().comando, QByteArray("jgFim"));
    }

    void quemSaiDaVezAUmRobo()
    {
        Mesa m({false, true, true, true}, 21);
        m.jogadores[0]->Calado(true);
        m.jogo->Comecar();
        // Nobody moves for seat 0 and the clock is off: the bots play up to his turn and wait.
        QTRY_VERIFY_WITH_TIMEOUT(m.jogo->PartidaAtual().DeveAgir(0) && m.fila.empty(), 5000);
        QVERIFY(!m.jogo->Terminada());
        QCOMPARE(m.jogadores[0]->CartasProprias(), 0);
        m.jogo->TrocarPorRobo(0, QStringLiteral("Robô 1"));
        QTRY_VERIFY_WITH_TIMEOUT(m.jogo->Terminada() && m.fila.empty(), 20000);
        QVERIFY(m.terminou >= 0);
        QVERIFY2(m.Erros().isEmpty(), qPrintable(m.Erros().join('\n')));
        // Bots are sent nothing.
        for (int j = 1; j < 4; ++j)
            QVERIFY(m.recebidas[j].isEmpty());
    }

    void roboNaoRespondePeloParceiroPessoa()
    {
        // Team 0 is at eleven: the person in seat 0 decides, not the bot beside him.
        Mesa m({false, true, true, true}, 23, 0, {11, 5});
        m.jogadores[0]->Calado(true);
        m.jogo->Comecar();
        QTRY_VERIFY_WITH_TIMEOUT(m.fila.empty(), 5000);
        QCOMPARE(m.recebidas[0].back().comando, QByteArray("cmM11"));
        // The bots have nothing to do until he answers.
        QCoreApplication::processEvents();
        QVERIFY(m.fila.empty());
        QVERIFY(m.jogo->PartidaAtual().DeveAgir(0));
        m.jogo->Receber(0, "tcSim", {});
        QTRY_VERIFY_WITH_TIMEOUT(
            !m.recebidas[0].isEmpty() && m.recebidas[0].back().comando != "cmM11", 5000);
        QCOMPARE(m.recebidas[0].at(2).comando, QByteArray("esM11"));
        QVERIFY2(m.Erros().isEmpty(), qPrintable(m.Erros().join('\n')));
    }

    void relogioJogaPorQuemNaoAge()
    {
        Mesa m({false, true, true, true}, 22, 1);
        m.jogadores[0]->Calado(true);
        m.jogo->Comecar();
        QTRY_VERIFY_WITH_TIMEOUT(m.jogadores[0]->CartasProprias() >= 2, 20000);
        QVERIFY2(m.Erros().isEmpty(), qPrintable(m.Erros().join('\n')));
    }

    void cartaRecusadaDevolveAVez()
    {
        Mesa m({false, false, false, false}, 30);
        for (auto& j : m.jogadores)
            j->Calado(true);
        m.jogo->Comecar();
        m.Processar();
        const int vez = m.jogo->PartidaAtual().Vez();
        const int outro = (vez + 1) % 4;
        const auto antesVez = m.recebidas[vez].size();
        const auto antesOutro = m.recebidas[outro].size();
        // Out of turn: nothing at all. On turn with a bad or unreadable position: the turn comes
        // back to him alone each time, as the client had already passed it on.
        m.jogo->Receber(outro, "Carta", {"0", "False"});
        m.jogo->Receber(vez, "Carta", {"7", "False"});
        m.jogo->Receber(vez, "Carta", {"x", "False"});
        m.jogo->Receber(vez, "Carta", {});
        m.jogo->Receber(vez, "Xyzzy", {});
        m.Processar();
        QCOMPARE(m.recebidas[outro].size(), antesOutro);
        QCOMPARE(m.recebidas[vez].size(), antesVez + 3);
        QCOMPARE(m.recebidas[vez].back(),
                 (MensagemJogo{"Setar", {"Vez", kLogins[vez].toLatin1()}}));

        // The first trick goes face up whatever was asked.
        m.jogo->Receber(vez, "Carta", {"1", "True"});
        m.Processar();
        const auto& carta = m.recebidas[outro].at(m.recebidas[outro].size() - 2);
        QCOMPARE(carta.comando, QByteArray("Carta"));
        QCOMPARE(carta.argumentos[0], QByteArray::number(vez));
        QVERIFY(carta.argumentos[1].toInt() >= 1);
        QCOMPARE(m.recebidas[outro].back().argumentos[1], kLogins[outro].toLatin1());
    }
};

QTEST_GUILESS_MAIN(TstMesaDeJogo)
#include "tst_mesadejogo.moc"
