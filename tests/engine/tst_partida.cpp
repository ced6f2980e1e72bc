// The engine on hands dealt from the tricks they will play: the strength of the cards, who takes a
// trick and a hand, truco and its refusals, the hands of eleven and iron, face-down cards, the
// end of the game, and the choices of the bot and of the players it is measured against.
#include "JogadorAleatorio.h"
#include "JogadorGuloso.h"
#include "Partida.h"
#include "Robo.h"
#include "RoboBuscador.h"
#include "Simulacao.h"

#include <QTest>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

namespace {
// "4p" is the four of clubs: ranks 4 5 6 7 Q J K A 2 3, suits p (clubs), c (hearts), e (spades),
// o (diamonds). A leading '_' asks for the card face down.
int C(std::string nome)
{
    nome.erase(0, nome.starts_with('_') ? 1 : 0);
    const auto posto = std::string("4567QJKA23").find(nome.at(0));
    const auto naipe = std::string("pceo").find(nome.at(1));
    if (posto == std::string::npos || naipe == std::string::npos || nome.size() != 2)
        qFatal("carta desconhecida: %s", nome.c_str());
    return int(naipe * 10 + posto + 1);
}

QString Nome(int c)
{
    return QString(QChar("4567QJKA23"[(c - 1) % 10])) + QChar("pceo"[(c - 1) / 10]);
}

// "3p Kc 6c 7o / 3e Jp Qe Jo": the k-th group gives each seat, in seat order, its card at hand
// position k. Positions left out get cards no one named. The deal's events go to *inicio.
Partida Mesa(const std::string& vazas, int primeiro, std::array<int, 2> pontos,
             const std::string& vira = "4p", std::vector<Evento>* inicio = nullptr)
{
    Distribuicao d;
    d.vira = C(vira);
    std::vector<int> nomeadas;
    std::istringstream in(vazas);
    for (std::string s; in >> s;)
        if (s != "/")
            nomeadas.push_back(C(s));
    std::set<int> usadas(nomeadas.begin(), nomeadas.end());
    usadas.insert(d.vira);
    int livre = 1;
    for (size_t i = 0; i < 12; ++i) {
        while (i >= nomeadas.size() && usadas.count(livre))
            ++livre;
        d.maos[i % 4][i / 4] = i < nomeadas.size() ? nomeadas[i] : livre++;
    }
    Partida p(ConfiguracaoPartida{7, primeiro, pontos});
    p.FixarDistribuicao(d);
    const auto e = p.Comecar();
    if (inicio)
        inicio->insert(inicio->end(), e.begin(), e.end());
    return p;
}

// Moves in order: "T1" seat 1 asks truco, "A3" accepts, "R2" refuses, "0:7p" seat 0 plays a card,
// "7p" the seat on turn plays it, "_7p" face down; a leading '!' expects the move refused.
void Lances(Partida& p, const std::string& roteiro, std::vector<Evento>& eventos)
{
    std::istringstream in(roteiro);
    for (std::string s; in >> s;) {
        const bool recusado = s.starts_with('!');
        s.erase(0, recusado ? 1 : 0);
        const bool carta = s[0] == '_' || !std::isdigit(s[1]);
        const int j = s[1] == ':' ? s[0] - '0' : carta ? p.Vez() : s[1] - '0';
        const std::string nome = s.substr(s[1] == ':' ? 2 : 0);
        int pos = 0;
        while (carta && pos < 3 && p.CartaNaMao(j, pos) != C(nome))
            ++pos;
        const Lance l = carta         ? Lance::JogarCarta(j, pos, nome.starts_with('_'))
                        : s[0] == 'T' ? Lance::Trucar(j)
                        : s[0] == 'A' ? Lance::Aceitar(j)
                                      : Lance::Recusar(j);
        const auto r = p.Jogar(l);
        QTest::qVerify(r.Aceito() != recusado, s.c_str(), r.motivo.c_str(), __FILE__, __LINE__);
        eventos.insert(eventos.end(), r.eventos.begin(), r.eventos.end());
    }
}

// Events in short, leaving out the cards and the turn after each: "dist:normal:-1" (kind of hand,
// team at eleven), "vez:1", "vaza:0:1-0" (winner, tricks), "mao:5-11", "truco:seat:team:value",
// "aceito", "onze", "fim:team".
QString Resumo(const std::vector<Evento>& eventos)
{
    static const char* formato[] = {"dist:M:E",    "vez:J",  "oculta", "vaza:J:P", "mao:P",
                                    "truco:J:E:V", "aceito", "onze",   "fim:E"};
    static const char* maos[] = {"normal", "onze", "ferro"};
    QStringList r;
    for (size_t i = 0; i < eventos.size(); ++i) {
        const Evento& e = eventos[i];
        const bool aposCarta = i > 0 && eventos[i - 1].tipo == Evento::Tipo::Carta;
        // Cards are left out, but a face-down one is told as "oculta": its code must not go out.
        if ((e.tipo == Evento::Tipo::Carta && e.codigo) ||
            (e.tipo == Evento::Tipo::Vez && aposCarta))
            continue;
        const QString P = QString("%1-%2").arg(e.placar[0]).arg(e.placar[1]);
        r << QString(formato[int(e.tipo)])
                 .replace('J', QString::number(e.jogador))
                 .replace('P', P)
                 .replace('E', QString::number(e.equipe))
                 .replace('V', QString::number(e.valor))
                 .replace('M', maos[int(e.tipoMao)]);
    }
    return r.join(' ');
}
} // namespace

class TstPartida : public QObject
{
    Q_OBJECT

private slots:
    // A hand from its deal, the first seat and the score, played to the events it must end with.
    // Cards left out of the moves are the deal's, played in seat order.
    void maos()
    {
        const char* truco = "3p Kc 6c 7o / 3e Jp Qe Jo / 7p Qp Jc Ko";
        const struct
        {
            const char *nome, *cartas;
            int primeiro, a, b;
            const char *lances, *fim, *vira = "4p";
        } casos[] = {
            // Manilhas: the rank after the vira's, clubs > hearts > spades > diamonds, the lowest
            // above the best ordinary card; after a three the four.
            {"naipes", "5o 5e 5c 5p", 0, 0, 0, "", "vaza:3:0-1 vez:3", "4c"},
            {"manilha de ouros", "3p 3e 3o Ao", 0, 0, 0, "", "vaza:3:0-1 vez:3", "Kc"},
            {"vira tres", "4e 4c 4o 3p", 0, 0, 0, "", "vaza:1:0-1 vez:1", "3c"},
            // Tricks and ties; the hand's end from 4-7 and the next deal, one seat later.
            {"duas vazas", "3p Kc 6c 7o / 3e Jp Qe Jo", 0, 4, 7, "",
             "vaza:0:1-0 vez:0 vaza:0:2-0 mao:5-7 dist:normal:-1 vez:1"},
            {"parceiros empatam no alto", "Ap 3c 6c 3o / Ae 2c Qe Jo", 2, 4, 7,
             "6c 3o Ap 3c Jo Ae 2c Qe", "vaza:3:0-1 vez:3 vaza:1:0-2 mao:4-8 dist:normal:-1 vez:3"},
            {"primeira empatada", "Kp Kc 6c 7o / Qp Ac Qe Jo", 1, 4, 7, "Kc 6c 7o Kp Ac Qe Jo Qp",
             "vaza:-1:0-0 vez:1 vaza:1:0-1 mao:4-8 dist:normal:-1 vez:2"},
            {"duas empatadas", "Kp Kc 6c 7o / Qp Qc 4e 4o / 6p 7c Ae Jo", 0, 4, 7, "",
             "vaza:-1:0-0 vez:0 vaza:-1:0-0 vez:0 vaza:2:1-0 mao:5-7 dist:normal:-1 vez:1"},
            {"segunda empatada", "Kp Ac 6c 7o / Qp Qc 4e 4o", 0, 4, 7, "Kp Ac 6c 7o Qc 4e 4o Qp",
             "vaza:1:0-1 vez:1 vaza:-1:0-1 mao:4-8 dist:normal:-1 vez:1"},
            {"terceira empatada", "3p Ac 6c 7o / Qp 2c 4e 4o / Kp Kc Qe Jo", 0, 4, 7,
             "3p Ac 6c 7o Qp 2c 4e 4o Kc Qe Jo Kp",
             "vaza:0:1-0 vez:0 vaza:1:1-1 vez:1 vaza:-1:1-1 mao:5-7 dist:normal:-1 vez:1"},
            {"tres empatadas", "Kp Kc 7e 7o / Qp Qc 4e 4o / 6p 6c 6e 6o", 3, 4, 7,
             "7o Kp Kc 7e 4o Qp Qc 4e 6o 6p 6c 6e",
             "vaza:-1:0-0 vez:3 vaza:-1:0-0 vez:3 vaza:-1:0-0 mao:4-7 dist:normal:-1 vez:0"},
            // Face down: played open in the first trick; later it loses even to a four and
            // face-down cards make no tie among themselves.
            {"cobertas", "3p Kc 6c Qo / 3e 4e 2c 2o", 0, 0, 0, "_3p Kc 6c Qo _3e 4e _2c _2o",
             "vaza:0:1-0 vez:0 oculta oculta oculta vaza:1:1-1 vez:1"},
            // Truco on one's turn, answered by either opponent, never by the caller's team, and
            // not asked twice in a row by the same team; the raises alternate up to 12.
            {"truco", truco, 0, 0, 0, "!T1 T0 !0:3p !A2 A3 !R1 !T0 3p Kc 6c 7o 3e Jp Qe Jo",
             "truco:0:0:3 aceito vaza:0:1-0 vez:0 vaza:0:2-0 mao:3-0 dist:normal:-1 vez:1"},
            {"ate doze", truco, 0, 0, 0,
             "T0 A1 7p T1 !T3 T2 T3 !T0 A0 !T1 Qp !T2 Jc Ko Jo 3p Kc Qe 3e Jp 6c 7o",
             "truco:3:1:12 aceito vaza:3:0-1 vez:3 vaza:0:1-1 vez:0 vaza:0:2-1 mao:12-0 fim:0"},
            // Refusals: no trick is closed, the asker's team takes the value before the one
            // refused, and the next hand is dealt.
            {"recusa o truco", truco, 0, 2, 1, "T0 R3", "truco:0:0:3 mao:3-1 dist:normal:-1 vez:1"},
            {"recusa o seis", truco, 0, 2, 1, "T0 A1 0:7p T1 R2",
             "truco:1:1:6 mao:2-4 dist:normal:-1 vez:1"},
            {"recusa o doze", truco, 0, 2, 1, "T0 T1 T0 T1 R2",
             "truco:1:1:12 mao:2-10 dist:normal:-1 vez:1"},
            {"recusa que leva a doze", "", 0, 9, 3, "T0 T1 T2 R1", "truco:2:0:9 mao:15-3 fim:0"},
            // Eleven: only the team at eleven decides, before any card; worth 3 with no truco; a
            // refusal gives 1 and the team still at eleven gets another.
            {"onze jogada", truco, 1, 11, 4, "!1:Kc !A1 A2 !T1 !A2 Kc 6c 7o 3p !T0 3e Jp Qe Jo",
             "dist:onze:0 onze vez:1 vaza:0:1-0 vez:0 vaza:0:2-0 mao:14-4 fim:0"},
            {"onze recusada", truco, 0, 4, 11, "!R0 R3", "onze mao:5-11 dist:onze:1"},
            {"chega a onze", truco, 0, 10, 0, "3p Kc 6c 7o 3e Jp Qe Jo", "mao:11-0 dist:onze:0"},
            {"passa de doze", "Kp 3c 6c 7o / Qp 3e 4e 4o", 1, 9, 10,
             "T1 A0 3c 6c 7o Kp 3e 4e 4o Qp", "vaza:1:0-2 mao:9-13 fim:1"},
            // Iron: blind, no truco, one point, and twelve ends the game.
            {"ferro", truco, 0, 11, 11, "!T0 3e Jp Qe Jo _3p _Kc _6c _7o",
             "dist:ferro:-1 vez:0 vaza:0:1-0 vez:0 vaza:0:2-0 mao:12-11 fim:0"},
        };
        for (const auto& k : casos) {
            std::vector<Evento> e;
            Partida p = Mesa(k.cartas, k.primeiro, {k.a, k.b}, k.vira, &e);
            std::string lances = *k.lances ? k.lances : k.cartas;
            std::erase(lances, '/');
            Lances(p, lances, e);
            const QString resumo = Resumo(e);
            QVERIFY2(resumo.endsWith(k.fim), qPrintable(QString(k.nome) + ": " + resumo));
            const int vencedora = strstr(k.fim, "fim:") ? k.fim[strlen(k.fim) - 1] - '0' : -1;
            QCOMPARE(p.EquipeVencedora(), vencedora);
            // Once over, no move is taken. Only its owner sees a face-down card.
            for (int j = 0; j < 4; ++j) {
                QVERIFY(vencedora < 0 || p.LancesValidos(j).empty());
                for (const CartaNaMesa& c : p.VisaoDe(j).historico)
                    QVERIFY2((c.codigo == 0) == (c.coberta && c.jogador != j), k.nome);
            }
        }
    }

    // Situations with the move a sound player makes ("!" before it: a move he never makes), for
    // the heuristic bot (r), the searching one the server uses (b) and the rate tool's greedy
    // player (g), always a legal move. Cards are
    // named as dealt, "_" before one played face down. The bot: the least card that takes the
    // trick, nothing over a partner who holds it, throwaways face down and winners never; truco
    // and its answers by the hand and the tricks; the hand of eleven by both partners' cards. The
    // greedy player: the least card that beats the table, truco with two manilhas or a manilha
    // and a 3, answers raising with two manilhas, accepting with one or two 2s and 3s.
    void jogadas()
    {
        // Who, the seat deciding, the deal, the first seat, the moves before, the score, the move.
        using Caso = std::tuple<char, int, const char*, int, const char*, int, int, const char*>;
        const Caso casos[] = {
            {'r', 0, "Ke Qc 2p 5p / Qe 4c 6e 4o / 7e 6c Jc Ac", 1, "1:Qc 2:2p 3:4o", 0, 0, "7e"},
            {'r', 0, "3e Qc 2p Ko / Ae 4c 6e 4o / 5o 6c Jc Ac", 3, "3:Ko", 0, 0, "Ae"},
            {'r', 0, "Ke Qc 2p 5c / Qe 4c 6e 4o / 7e 6c Jc Ac", 3, "3:5c", 0, 0, "7e"},
            {'r', 0, "2o Qc Kc 4o / Ap 4c 6e Jo / 7e 6c Jc Ac", 2, "2:Kc 3:4o", 0, 0, "7e"},
            {'r', 0, "5p Qc 2p Ko / 5c 4c 6e 4o / 3e 6c Jc Ac", 0, "", 0, 0, "truco"},
            {'r', 0, "4e Qc 5e Ko / 6o 4c 3o 4o / 7e 6c 2c Ac", 1, "T1", 0, 0, "recusa"},
            {'r', 0, "Ae Qc Qe Jo / 3p 4c 6e 4o / 5p 6c Jc Ac", 0, "Ae Qc Qe Jo 3p T1", 0, 0,
             "!recusa"},
            {'r', 0, "4e 3c 6c Jo / 6o 4c 3o 4o / 7e Kc Qc Ac", 0, "4e 3c 6c Jo T1", 0, 0,
             "recusa"},
            {'r', 0, "Qe 3c 6c Jo / 6o 4c 3o Ao / 3e Kc Qc 2o", 0, "Qe 3c 6c Jo 1:Kc 2:3o 3:Ao", 0,
             0, "_6o"},
            {'r', 0, "Qe 3c 6c Jo / 6o 4c 3o Ao / 3e Kc Qc 2o", 0, "Qe 3c 6c Jo 1:Kc 2:Qc 3:2o", 0,
             0, "3e"},
            {'r', 1, "Ke Qc 2p 5p / Qe 4c 6e 5c / 7e 6c Jc Ac", 0, "", 3, 11, "aceita"},
            {'r', 1, "Ke Qc 2p Jp / Qe 4c 6e Kc / 7e 6c Jc Ac", 0, "", 3, 11, "recusa"},
            {'r', 0, "5p Qc 5o Ko / 5c 4c 2e 4o / 3e 6c Jc Ac", 0, "A0", 11, 3, "3e"},
            {'b', 1, "4c 5p 7e 7o / Qe 6e 7c Jo / Je Ko Qc Ao", 0, "0:4c", 0, 0, "!5p"},
            {'b', 0, "Qe Ke Je Ae / 5p 6c 7c 3c / 4o 6e 7e 2c", 0, "Qe Ke Je Ae 3c", 0, 0, "!4o"},
            // Ours the first trick, the partner's king open to the last seat: the manilha
            // closes.
            {'b', 2, "Ke 7o 5e Ae / Qe 4o 7e 7c / 2c Ko Ao Kc", 0, "T0 A1 2c 4o 7e 7c Ke _7o", 0, 0,
             "5e"},
            {'g', 1, "Ke Qc 2p 5p / Qe 4c 6e 4o / 7e Ac Jc 6c", 0, "0:Ke", 0, 0, "Ac"},
            {'g', 1, "Ke 3c 2p 5p / Qe 4c 6e 4o / 7e Kc Jc 6c", 0, "0:Ke", 0, 0, "3c"},
            {'g', 1, "5c Qc 2p Ko / Qe 4c 6e 4o / 7e Kc Jc 6o", 0, "0:5c", 0, 0, "4c"},
            {'g', 3, "Qe Ac Qp 2o / Je 4c 6e 7o / 7e Kc Jc Ko", 1, "1:Ac 2:Qp", 0, 0, "2o"},
            {'g', 0, "5p Qc 2p Ko / 5c 4c 6e 4o / 7e 6c Jc Ac", 0, "", 0, 0, "truco"},
            {'g', 0, "5p Qc 2p Ko / 3c 4c 6e 4o / 7e 6c Jc Ac", 0, "", 0, 0, "truco"},
            {'g', 0, "5p Qc 2p Ko / 2c 4c 6e 4o / 7e 6c Jc Ac", 0, "", 0, 0, "7e"},
            {'g', 1, "Ke 5p 2p Ko / Qe 5e 6e 4o / 7e 5c Jc Ac", 0, "T0", 0, 0, "truco"},
            {'g', 1, "Ke 5p 2p Ko / Qe 5e 6e 4o / 7e 5c Jc Ac", 1, "T1 T0 T1 T0", 0, 0, "aceita"},
            {'g', 1, "Ke 2p Kp Ko / Qe 3c 6e 4o / 7e Ae Jc Ac", 0, "T0", 0, 0, "aceita"},
            {'g', 1, "Ke 5o 2p Ko / Qe Ac 6e 4o / 7e Qo Jc Ap", 0, "T0", 0, 0, "aceita"},
            {'g', 1, "Ke 2c Kp Ko / Qe Ac 6e 4o / 7e Qo Jc Ap", 0, "T0", 0, 0, "recusa"},
            {'g', 1, "Ke Kc 2p Ko / Qe Ac 6e 5o / 7e Ae Jc Qo", 0, "", 3, 11, "aceita"},
            {'g', 1, "Ke Kc 2p Ko / Qe Ac 6e Ao / 7e Ae Jc Qo", 0, "", 3, 11, "recusa"},
        };
        for (const auto& [quem, jogador, cartas, primeiro, antes, a, b, esperada] : casos) {
            Partida p = Mesa(cartas, primeiro, {a, b});
            std::vector<Evento> e;
            Lances(p, antes, e);
            const auto validos = p.LancesValidos(jogador);
            const Visao visao = p.VisaoDe(jogador);
            const Lance l = quem == 'r'   ? Robo().Decidir(visao, validos)
                            : quem == 'b' ? RoboBuscador().Decidir(visao, validos)
                                          : JogadorGuloso().Decidir(visao, validos);
            QVERIFY(std::find(validos.begin(), validos.end(), l) != validos.end());
            const char* tipos[] = {"", "truco", "aceita", "recusa"};
            const QString feita = l.tipo == Lance::Tipo::Carta
                                      ? (l.coberta ? "_" : "") + Nome(visao.mao[l.posicao])
                                      : tipos[int(l.tipo)];
            const QString escolha = QString(esperada).remove('!');
            const bool nunca = esperada[0] == '!';
            QVERIFY2((feita == escolha) != nunca,
                     qPrintable(QString("%1 %2 %3: %4").arg(quem).arg(cartas, antes, feita)));
        }
    }

    // A game between bots replays move for move from its seed, whatever games the bots judged
    // before it: what they keep from earlier hands changes no choice.
    void reproducao()
    {
        const auto jogar = [](std::uint32_t semente) {
            RoboBuscador robo(semente);
            robo.Aprofundar(false); // the light bot keeps first cards across games
            std::array<Estrategia*, 4> jogadores{&robo, &robo, &robo, &robo};
            Partida p(ConfiguracaoPartida{semente, -1, {0, 0}});
            QString lances;
            for (const Evento& e : Simulacao::JogarAteOFim(p, jogadores))
                lances += QString("%1:%2:%3 ").arg(int(e.tipo)).arg(e.jogador).arg(e.codigo);
            return lances;
        };
        // Each thread starts with nothing kept.
        QString sozinha, depois;
        std::thread([&] { sozinha = jogar(1); }).join();
        std::thread([&] {
            for (std::uint32_t s = 2; s < 200; ++s)
                jogar(s);
            depois = jogar(1);
        }).join();
        QCOMPARE(depois, sozinha);
    }

    // The random player, over many seeded decisions: face down only from the second trick on and
    // about one card in ten; truco about one turn in ten; answers evenly spread, never a raise
    // past 12; half its hands of eleven.
    void aleatorio()
    {
        const struct
        {
            const char* antes;
            int a, b;
            const char* lances; // the moves it may make, in Lance::Tipo order, "_" face down
            double minimo, maximo;
        } casos[] = {
            {"", 0, 0, "truco", 0.08, 0.12},        {"", 0, 0, "_", 0, 0},
            {"3p Kc 6c 7o", 0, 0, "_", 0.07, 0.11}, {"T0", 0, 0, "aceita", 0.30, 0.37},
            {"T0", 0, 0, "truco", 0.30, 0.37},      {"T0 T1 T0 T1", 0, 0, "recusa", 0.47, 0.53},
            {"T0 T1 T0 T1", 0, 0, "truco", 0, 0},   {"", 3, 11, "aceita", 0.47, 0.53},
        };
        const char* truco = "3p Kc 6c 7o / 3e Jp Qe Jo / 7p Qp Jc Ko";
        for (const auto& k : casos) {
            Partida p = Mesa(truco, 0, {k.a, k.b});
            std::vector<Evento> e;
            Lances(p, k.antes, e);
            int j = 0;
            while (!p.DeveAgir(j))
                ++j;
            const auto validos = p.LancesValidos(j);
            int vezes = 0;
            const int n = 4000;
            for (int s = 0; s < n; ++s) {
                const Lance l = JogadorAleatorio(s).Decidir(p.VisaoDe(j), validos);
                QVERIFY(std::find(validos.begin(), validos.end(), l) != validos.end());
                const char* tipos[] = {"", "truco", "aceita", "recusa"};
                vezes += QString(k.lances) == (l.coberta ? "_" : tipos[int(l.tipo)]);
            }
            QVERIFY2(vezes >= k.minimo * n && vezes <= k.maximo * n,
                     qPrintable(QString("%1 %2: %3").arg(k.antes, k.lances).arg(vezes)));
        }
    }
};

QTEST_APPLESS_MAIN(TstPartida)
#include "tst_partida.moc"
