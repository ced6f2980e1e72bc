#pragma once

#include "Estrategia.h"

#include <random>

// Picks any legal move with equal chance: cards (face up or down), calls, answers.
class JogadorAleatorio : public Estrategia
{
public:
    explicit JogadorAleatorio(std::uint32_t semente) : m_gerador(semente) {}
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;

private:
    std::mt19937 m_gerador;
};
