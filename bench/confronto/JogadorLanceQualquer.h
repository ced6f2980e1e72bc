#pragma once

#include "Estrategia.h"

#include <random>

// Picks any legal move with equal chance: cards (face up or down), calls, answers. It calls and
// raises far more than anyone would.
class JogadorLanceQualquer : public Estrategia
{
public:
    explicit JogadorLanceQualquer(std::uint32_t semente) : m_gerador(semente) {}
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;

private:
    std::mt19937 m_gerador;
};
