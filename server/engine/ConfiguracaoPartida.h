#pragma once

#include <array>
#include <cstdint>

struct ConfiguracaoPartida
{
    std::uint32_t semente = 0;
    // The seat that plays first in the first hand; -1 draws it from the seeded generator.
    int primeiro = -1;
    // Points the teams start with; games are replayed from a chosen score in tests.
    std::array<int, 2> pontos{0, 0};
};
