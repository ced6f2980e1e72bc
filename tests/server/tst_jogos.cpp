// Whole games against the real server; every client checks what it hears with a VerificadorJogo.
#include "ClienteTeste.h"
#include "CodecFoto.h"
#include "EsperarAte.h"
#include "MesaDeJogo.h"
#include "RemetenteMesa.h"
#include "ServidorTeste.h"
#include "VerificadorJogo.h"

#include <QSet>
#include <QTest>
#include <map>
#include <set>

namespace {

struct Pessoa
{
    QString login;
    std::unique_ptr<ClienteTeste> cliente;
    std::unique_ptr<VerificadorJogo> verificador;
    QList<MensagemTeste> jogo;   // everything heard since "Start"
    QList<QStringList> assentos; // every "jgInf" since "Start"
    bool saiu = false;
    bool pedeTruco = false;
    bool aceita = true;

    int Cartas() const { return verificador ? verificador->CartasProprias() : 0; }
    // The lines the table told the room.
    QStringList Narracao() const
    {
        QStringList linhas;
        for (const auto& m : jogo)
            if (m.comando == "slMsg" && m.Argumento(1) == kRemetenteMesa)
                linhas << m.Texto(2);
        return linhas;
    }
};

// One step of a scripted game (a seat, its command) and the chat lines it must give.
using Passos = QList<std::tuple<int, QByteArray, QStringList>>;
using Placar = std::array<int, 2>;

} // namespace

class TstJogos : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;
    std::vector<std::unique_ptr<Pessoa>> m_pessoas;

    // Seats those given in one room, the first its host, and has him start the game.
    bool Mesa(const QStringList& logins)
    {
        for (auto& c : ClienteTeste::NaSala(m_servidor->Porta(), logins, "Mesa verde")) {
            m_pessoas.push_back(std::make_unique<Pessoa>());
            m_pessoas.back()->login = logins[int(m_pessoas.size()) - 1];
            m_pessoas.back()->cliente = std::move(c);
        }
        if (m_pessoas.empty())
            return false;
        m_pessoas[0]->cliente->Enviar("Start");
        return true;
    }

    // Hands everyone's messages to his checker and sends its answers, until condicao holds.
    template <typename Condicao> bool Jogar(Condicao condicao)
    {
        return EsperarAte(
            [&] {
                for (const auto& p : m_pessoas)
                    while (!p->saiu && !p->cliente->NaoLidas().isEmpty())
                        Ouvir(*p, *p->cliente->Esperar({}, 0));
                return condicao();
            },
            60000);
    }

    void Ouvir(Pessoa& p, const MensagemTeste& m)
    {
        p.jogo << m;
        if (m.comando == "jgInf") {
            const QStringList l{m.Texto(1), m.Texto(3), m.Texto(5), m.Texto(7)};
            p.assentos << l;
            if (p.verificador) {
                for (int i = 0; i < 4; ++i)
                    if (!l[i].isEmpty())
                        p.verificador->TrocarLogin(i, l[i]);
                return;
            }
            p.verificador = std::make_unique<VerificadorJogo>(
                l.indexOf(p.login), std::array<QString, 4>{l[0], l[1], l[2], l[3]});
            p.verificador->pedeTruco = p.pedeTruco;
            p.verificador->aceita = p.aceita;
        } else if (p.verificador) {
            if (auto r = p.verificador->Receber(m.comando, m.argumentos))
                p.cliente->Enviar(r->comando, r->argumentos);
        }
    }

    // Everyone still here has heard and handled all the server sent so far.
    bool Escutar()
    {
        for (const auto& p : m_pessoas)
            if (!p->saiu && !p->cliente->Sincronizar())
                return false;
        return Jogar([] { return true; });
    }

    bool TodosTerminaram() const
    {
        return std::all_of(m_pessoas.begin(), m_pessoas.end(), [](const auto& p) {
            return p->saiu || (p->verificador && p->verificador->Terminou());
        });
    }

    void SemErros(const Pessoa& p)
    {
        QVERIFY(p.verificador);
        QVERIFY2(p.verificador->Erros().isEmpty(),
                 qPrintable(p.login + ": " + p.verificador->Erros().join('\n')));
    }

private slots:
    void init()
    {
        m_servidor = std::make_unique<ServidorTeste>();
        QVERIFY(m_servidor->Iniciado());
    }
    void cleanup()
    {
        m_pessoas.clear();
        m_servidor.reset();
    }

    void quatroPessoasAteOFim()
    {
        // Ana and Davi call truco on their first turn; Bia refuses every call and hand of eleven,
        // Davi accepts, and whichever answer reaches the server first counts.
        QVERIFY(Mesa({"ana1", "bia1", "caio", "davi"}));
        m_pessoas[0]->pedeTruco = m_pessoas[3]->pedeTruco = true;
        m_pessoas[1]->aceita = false;
        QVERIFY(Jogar([&] { return TodosTerminaram(); }));
        // Everyone saw the same game, and no deal showed a card twice: nobody was sent another's
        // hand.
        std::map<int, std::set<int>> cartasDaMao;
        for (const auto& p : m_pessoas) {
            SemErros(*p);
            QCOMPARE(p->verificador->Pontos(), m_pessoas[0]->verificador->Pontos());
            QCOMPARE(p->jogo.value(1).comando, QByteArray("cmJog"));
            QCOMPARE(p->Narracao(), m_pessoas[0]->Narracao());
            int mao = 0;
            for (const auto& m : p->jogo)
                for (int i = 2; m.comando == "cmPrt" && i <= 4; ++i)
                    QVERIFY(cartasDaMao[mao++ / 3].insert(m.Argumento(i).toInt()).second ||
                            !m.Argumento(i).toInt());
        }
        QVERIFY(m_pessoas[0]->verificador->Terminou());
        QVERIFY(m_pessoas[0]->Narracao().last().startsWith("Fim de jogo: "));
        m_pessoas[0]->cliente->Enviar("Start");
        QVERIFY(m_pessoas[0]->cliente->Esperar("cmJog"));
    }

    // Bots take the free seats. The host leaves mid-hand: a bot holds his seat, the guest's
    // malformed moves upset nothing, and after the game the guest is host, alone.
    void anfitriaoSaiNoMeioDaMao()
    {
        QVERIFY(Mesa({"dono", "hospede"}));
        Pessoa &sai = *m_pessoas[0], &resta = *m_pessoas[1];
        QVERIFY(Jogar([&] { return sai.Cartas() >= 1 && resta.Cartas() >= 1; }));
        sai.saiu = true;
        sai.cliente->Enviar("slSai");
        QVERIFY(sai.cliente->Esperar("slInf"));
        for (const QList<QByteArray>& a : QList<QList<QByteArray>>{
                 {}, {"9", "False"}, {"-1", "True"}, {"abc", "x"}, {"0"}, {QByteArray(5000, '1')}})
            resta.cliente->Enviar("Carta", a);
        resta.cliente->Enviar("tcSim");
        resta.cliente->Enviar("tcNao");
        resta.cliente->Enviar("Truco", {"lixo"});
        QVERIFY(Jogar([&] { return TodosTerminaram(); }));
        SemErros(resta);
        QVERIFY(Escutar());
        QCOMPARE(resta.assentos.first(), (QStringList{"dono", "hospede", "Robô 3", "Robô 4"}));
        QVERIFY(resta.assentos.contains(QStringList{"Robô 1", "hospede", "Robô 3", "Robô 4"}));
        QCOMPARE(resta.assentos.last(), (QStringList{"hospede", "", "", ""}));
        QVERIFY(resta.Narracao().contains("Robô 1 ficou no lugar de dono."));
        // Each bot has a face of its own, in the client's picture format.
        QSet<QByteArray> rostos{Foto::SemFoto()};
        for (const MensagemTeste& m : resta.jogo)
            for (int i = 1; m.comando == "jgInf" && i <= 7; i += 2)
                if (m.Texto(i).startsWith("Robô ")) {
                    QCOMPARE(Foto::DecodificarFoto(m.Argumento(i + 1)).width(), Foto::kLado);
                    QCOMPARE(m.Argumento(i + 1).size(), Foto::kBytes);
                    rostos << m.Argumento(i + 1);
                }
        QCOMPARE(rostos.size(), 4); // seats 1, 3 and 4, and the blank
        resta.cliente->Enviar("Start");
        QVERIFY(resta.cliente->Esperar("cmJog"));
    }

    void ultimaPessoaSai()
    {
        // No checker: the bots play up to his turn and wait; a call to his team is his to answer,
        // and he takes it.
        auto olheiro = ClienteTeste::NoSaguao(m_servidor->Porta(), "olheiro");
        auto sala = ClienteTeste::NaSala(m_servidor->Porta(), {"solo"}, "Mesa");
        QVERIFY(olheiro && sala.size() == 1);
        ClienteTeste& solo = *sala[0];
        solo.Enviar("Start");
        const auto minhaVez = [&] {
            for (auto m = solo.Esperar(); m; m = solo.Esperar()) {
                if (m->comando == "Truco")
                    solo.Enviar("tcSim");
                else if (m->comando == "Setar" && m->Texto(1) == "Vez" && m->Texto(2) == "solo")
                    return true;
            }
            return false;
        };
        QVERIFY(minhaVez());
        solo.Enviar("Carta", {"0", "False"});
        auto carta = solo.Esperar("Carta");
        while (carta && carta->Argumento(1) != "0")
            carta = solo.Esperar("Carta");
        QVERIFY(carta);
        // The bots do not keep the room: it is gone from the lobby, and its name is free again.
        solo.Enviar("slSai");
        QVERIFY(solo.Esperar("slInf") && olheiro->Sincronizar());
        QCOMPARE(olheiro->NaoLidas("slInf").value(0).Texto(1), "1");
        QCOMPARE(olheiro->NaoLidas("slInf").last().Texto(1), "0");
        solo.Descartar();
        QCOMPARE(solo.CriarSala("Mesa"), "OK");
    }

    // The room chat tells a scripted game, step by step: a seat's command ("Sai": he leaves,
    // "Espera": he lets the clock play, "Mao": the seats in turn play out the hand) and the lines
    // it must give, in order. Nothing is told per card or trick.
    void narracao_data()
    {
        QTest::addColumn<Placar>("placar");
        QTest::addColumn<Passos>("passos");
        QTest::newRow("truco, aumento, correu, mão de onze, saída, relógio")
            << Placar{9, 8}
            << Passos{{0, "Truco", {"ana1 pediu truco."}},
                      {1, "Truco", {"bia1 aumentou para 6."}},
                      {2, "tcNao", {"caio correu do 6.", "bia1 e davi fazem 3 pontos: 11 a 9."}},
                      {3, "tcSim", {"davi aceitou a mão de onze."}},
                      {2, "Sai", {"Robô 3 ficou no lugar de caio."}},
                      {1, "Espera", {"Tempo esgotado: o robô jogou por bia1."}}};
        QTest::newRow("recusa da mão de onze, ferro, fim")
            << Placar{10, 11}
            << Passos{
                   {1,
                    "tcNao",
                    {"bia1 correu da mão de onze.", "ana1 e caio fazem 1 ponto: 11 a 11.",
                     "Mão de ferro: todos jogam no escuro."}},
                   {0, "Truco", {}},
                   {0,
                    "Mao",
                    {"bia1 e davi fazem 1 ponto: 12 a 11.", "Fim de jogo: bia1 e davi venceram."}}};
    }
    void narracao()
    {
        QFETCH(Placar, placar);
        QFETCH(Passos, passos);
        MesaDeJogo::Opcoes o;
        o.atrasoRoboMs = 0;
        o.tempoJogadaS = 1;
        o.partida = {1, 0, placar};
        QStringList linhas, esperadas;
        o.narrar = [&](const QString& l) { linhas << l; };
        MesaDeJogo mesa({"ana1", "bia1", "caio", "davi"}, {}, o, [](int, const MensagemJogo&) {});
        mesa.Comecar();
        const Partida& p = mesa.PartidaAtual();
        for (const auto& [assento, comando, novas] : passos) {
            if (comando == "Sai") {
                mesa.TrocarPorRobo(assento, QStringLiteral("Robô %1").arg(assento + 1));
            } else if (comando == "Mao") {
                for (const int pontos = p.Pontos(0) + p.Pontos(1);
                     !p.Terminada() && pontos == p.Pontos(0) + p.Pontos(1);)
                    for (int c = 0; c < 3; ++c)
                        mesa.Receber(p.Vez(), "Carta", {QByteArray::number(c), "False"});
            } else if (comando != "Espera") {
                mesa.Receber(assento, comando, {});
            }
            esperadas << novas;
            QVERIFY(EsperarAte([&] { return linhas.size() >= esperadas.size(); }, 5000));
            QCOMPARE(linhas, esperadas);
        }
        mesa.Encerrar();
    }

    // Only the host starts, once; nobody gets in while the game goes on.
    void recusasDoComeco()
    {
        auto sala = ClienteTeste::NaSala(m_servidor->Porta(), {"chefe", "outro"}, "Sala");
        auto atrasado = ClienteTeste::NoSaguao(m_servidor->Porta(), "atrasado");
        QVERIFY(sala.size() == 2 && atrasado);
        sala[1]->Enviar("Start");
        QVERIFY(!sala[1]->Esperar("erCmJ")->Texto(1).isEmpty());
        QVERIFY(sala[1]->Sincronizar() && sala[1]->NaoLidas("cmJog").isEmpty());
        sala[0]->Enviar("Start");
        QVERIFY(sala[0]->Esperar("cmJog"));
        sala[0]->Enviar("Start");
        QCOMPARE(sala[0]->Esperar("erCmJ")->Texto(1), "O jogo já começou");
        atrasado->EnviarTextos("Entra", {"Sala", {}});
        QVERIFY(atrasado->Esperar("erEnt"));
    }
};

QTEST_GUILESS_MAIN(TstJogos)
#include "tst_jogos.moc"
