#pragma once

#include "Lance.h"
#include "Visao.h"

#include <vector>

// A way of choosing moves for a seat from what that seat may see. validos is never empty: it is
// asked only of a seat that must act.
class Estrategia
{
public:
    virtual ~Estrategia() = default;
    virtual Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) = 0;
};
