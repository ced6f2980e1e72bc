#pragma once

// Helpers for engine tests: cards by name and games set up from fixed deals.

#include "Partida.h"

#include <QTest>

#include <algorithm>
#include <set>
#include <string>

// "4p" is the four of clubs: ranks 4 5 6 7 Q J K A 2 3, suits p (clubs), c (hearts), e (spades),
// o (diamonds).
inline int C(const std::string& nome)
{
    const std::string postos = "4567QJKA23";
    const std::string naipes = "pceo";
    const auto posto = postos.find(nome.at(0));
    const auto naipe = naipes.find(nome.at(1));
    if (posto == std::string::npos || naipe == std::string::npos || nome.size() != 2)
        qFatal("carta desconhecida: %s", nome.c_str());
    return static_cast<int>(naipe * 10 + posto + 1);
}

// A deal from the named cards; hand positions left out are filled with cards no one named.
inline Distribuicao Deal(const std::string& vira,
                         const std::array<std::vector<std::string>, 4>& maos)
{
    Distribuicao d;
    std::set<int> usadas{C(vira)};
    d.vira = C(vira);
    for (const auto& m : maos)
        for (const auto& n : m)
            usadas.insert(C(n));
    int livre = 1;
    for (int j = 0; j < 4; ++j) {
        for (int p = 0; p < 3; ++p) {
            if (p < static_cast<int>(maos[j].size())) {
                d.maos[j][p] = C(maos[j][p]);
                continue;
            }
            while (usadas.count(livre))
                ++livre;
            d.maos[j][p] = livre;
            usadas.insert(livre);
        }
    }
    return d;
}

inline Partida NovaPartida(int primeiro, std::array<int, 2> pontos = {0, 0},
                           std::uint32_t semente = 7)
{
    ConfiguracaoPartida c;
    c.semente = semente;
    c.primeiro = primeiro;
    c.pontos = pontos;
    return Partida(c);
}

// Moves that the helpers below expected to be legal and the engine refused; each test class checks
// in cleanup() that there were none.
inline int& Recusas()
{
    static int n = 0;
    return n;
}

inline std::vector<Evento> Joga(Partida& p, const Lance& l)
{
    auto r = p.Jogar(l);
    if (!r.Aceito()) {
        ++Recusas();
        qWarning("lance recusado: %s", r.motivo.c_str());
    }
    return r.eventos;
}

// Plays the card with this code from the player's hand.
inline std::vector<Evento> JogaCarta(Partida& p, int jogador, const std::string& nome,
                                     bool coberta = false)
{
    for (int pos = 0; pos < 3; ++pos)
        if (p.CartaNaMao(jogador, pos) == C(nome))
            return Joga(p, Lance::JogarCarta(jogador, pos, coberta));
    ++Recusas();
    qWarning("o jogador %d não tem %s", jogador, nome.c_str());
    return {};
}

// Plays one whole trick from the player whose turn it is, each seat its named card (indexed by
// seat, not by order of play).
inline std::vector<Evento> JogaVaza(Partida& p, const std::array<std::string, 4>& porJogador,
                                    const std::array<bool, 4>& cobertas = {})
{
    std::vector<Evento> todos;
    const int inicio = p.Vez();
    for (int k = 0; k < 4; ++k) {
        const int j = (inicio + k) % 4;
        auto e = JogaCarta(p, j, porJogador[j], cobertas[j]);
        todos.insert(todos.end(), e.begin(), e.end());
    }
    return todos;
}

inline const Evento* Primeiro(const std::vector<Evento>& eventos, Evento::Tipo tipo)
{
    auto it = std::find_if(eventos.begin(), eventos.end(),
                           [tipo](const Evento& e) { return e.tipo == tipo; });
    return it == eventos.end() ? nullptr : &*it;
}
