#pragma once

// Engine tests: cards by name and games dealt from the tricks they will play.

#include "Partida.h"

#include <QTest>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>

using T = Evento::Tipo;

// "4p" is the four of clubs: ranks 4 5 6 7 Q J K A 2 3, suits p (clubs), c (hearts), e (spades),
// o (diamonds). A leading '_' asks for the card face down.
inline int C(std::string nome)
{
    nome.erase(0, nome.starts_with('_') ? 1 : 0);
    const auto posto = std::string("4567QJKA23").find(nome.at(0));
    const auto naipe = std::string("pceo").find(nome.at(1));
    if (posto == std::string::npos || naipe == std::string::npos || nome.size() != 2)
        qFatal("carta desconhecida: %s", nome.c_str());
    return static_cast<int>(naipe * 10 + posto + 1);
}

// "3p Kc 6c 7o / 3e Jp Qe Jo": the k-th group gives each seat, in seat order, its card at hand
// position k. Positions left out get cards no one named.
inline Partida Mesa(const std::string& vazas, int primeiro = 0, std::array<int, 2> pontos = {},
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
        *inicio = e;
    return p;
}

// Moves in order: "T1" seat 1 asks truco, "A3" accepts, "R2" refuses, "0:7p" seat 0 plays a card,
// "7p" the seat on turn plays it, "_7p" face down; a leading '!' expects the move refused. Returns
// the events of all the moves.
inline std::vector<Evento> Lances(Partida& p, const std::string& roteiro)
{
    std::istringstream in(roteiro);
    std::vector<Evento> todos;
    for (std::string s; in >> s;) {
        const bool recusado = s.starts_with('!');
        s.erase(0, recusado ? 1 : 0);
        const bool carta = !std::isdigit(s[1]);
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
        todos.insert(todos.end(), r.eventos.begin(), r.eventos.end());
    }
    return todos;
}

// One whole trick from the seat on turn; the cards are named in seat order.
inline std::vector<Evento> JogaVaza(Partida& p, const std::string& porJogador)
{
    std::istringstream in(porJogador);
    std::array<std::string, 4> c;
    for (auto& s : c)
        in >> s;
    std::string roteiro;
    for (int k = 0, j = p.Vez(); k < 4; ++k, j = (j + 1) % 4)
        roteiro += std::to_string(j) + ':' + c[j] + ' ';
    return Lances(p, roteiro);
}

// The card's name, "--" for none.
inline QString Nome(int c)
{
    const bool valida = c >= 1 && c <= 40;
    return valida ? QString(QChar("4567QJKA23"[(c - 1) % 10])) + QChar("pceo"[(c - 1) / 10]) : "--";
}

// Events in short, by type: "dist:normal:-1" (kind of hand, team at eleven), "vez:1", "2:3p" (a
// card, "--" face down), "vaza:0:1-0" (winner, tricks), "mao:5-11", "truco:seat:team:value",
// "aceito", "onze", "fim:team:team of the seat named".
inline QString Resumo(const std::vector<Evento>& eventos)
{
    static const char* formato[] = {"dist:M:E",    "vez:J",  "J:C",  "vaza:J:P", "mao:P",
                                    "truco:J:E:V", "aceito", "onze", "fim:E:K"};
    static const char* maos[] = {"normal", "onze", "ferro"};
    QStringList r;
    for (const auto& e : eventos) {
        const std::map<char, QString> campos{
            {'J', QString::number(e.jogador)},
            {'C', Nome(e.codigo)},
            {'P', QString("%1-%2").arg(e.placar[0]).arg(e.placar[1])},
            {'E', QString::number(e.equipe)},
            {'V', QString::number(e.valor)},
            {'M', maos[int(e.tipoMao)]},
            {'K', QString::number(e.jogador % 2)}};
        QString s;
        for (const char* f = formato[int(e.tipo)]; *f; ++f)
            s += campos.count(*f) ? campos.at(*f) : QString(QChar(*f));
        r << s;
    }
    return r.join(' ');
}
