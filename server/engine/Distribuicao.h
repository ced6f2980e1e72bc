#pragma once

#include <array>

// The cards of one deal: the vira and each seat's three cards by hand position.
struct Distribuicao
{
    int vira = 0;
    std::array<std::array<int, 3>, 4> maos{};
};
