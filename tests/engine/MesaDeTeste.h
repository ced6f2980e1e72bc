#pragma once

// Engine tests: cards by name and games dealt from the tricks they will play.

#include "Partida.h"

#include <QTest>

#include <algorithm>
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

// A move the test expects to be legal; a refusal fails the test.
inline std::vector<Evento> Joga(Partida& p, const Lance& l)
{
    auto r = p.Jogar(l);
    QTest::qVerify(r.Aceito(), "Jogar", r.motivo.c_str(), __FILE__, __LINE__);
    return r.eventos;
}

inline std::vector<Evento> JogaCarta(Partida& p, int jogador, const std::string& nome)
{
    int pos = 0;
    while (pos < 3 && p.CartaNaMao(jogador, pos) != C(nome))
        ++pos;
    return Joga(p, Lance::JogarCarta(jogador, pos, nome.starts_with('_')));
}

// One whole trick from the seat on turn; the cards are named in seat order.
inline std::vector<Evento> JogaVaza(Partida& p, const std::string& porJogador)
{
    std::istringstream in(porJogador);
    std::array<std::string, 4> c;
    for (auto& s : c)
        in >> s;
    std::vector<Evento> todos;
    for (int k = 0, inicio = p.Vez(); k < 4; ++k) {
        const auto e = JogaCarta(p, (inicio + k) % 4, c[(inicio + k) % 4]);
        todos.insert(todos.end(), e.begin(), e.end());
    }
    return todos;
}

inline const Evento* Primeiro(const std::vector<Evento>& eventos, T tipo)
{
    auto it = std::find_if(eventos.begin(), eventos.end(),
                           [tipo](const Evento& e) { return e.tipo == tipo; });
    return it == eventos.end() ? nullptr : &*it;
}
