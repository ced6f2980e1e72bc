#pragma once

#include "Estrategia.h"

#include <random>

// A player who knows the rules and nothing of the game: any card of its hand, from the second
// trick on face down one time in ten (never in the iron hand); on its turn calls truco one time in
// ten; answers a call by accepting, refusing or raising with equal chance (raising only below 12);
// plays half its hands of eleven.
class JogadorAleatorio : public Estrategia
{
public:
    explicit JogadorAleatorio(std::uint32_t semente) : m_gerador(semente) {}
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;

private:
    // 0 to limite - 1, the same on every standard library.
    int Sortear(int limite);
    bool Chance(double p);

    std::mt19937 m_gerador;
};
