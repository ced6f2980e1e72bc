#pragma once

#include "Estrategia.h"

// Always the lowest card that wins the trick, else the lowest card. Never calls truco, accepts
// every call and plays every hand of eleven.
class JogadorGulosoSemTruco : public Estrategia
{
public:
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;
};
