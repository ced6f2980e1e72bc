#pragma once

#include "JogadorGulosoSemTruco.h"

// Plays its cards like JogadorGulosoSemTruco, never face down, and bets only on cards it holds:
// calls truco on its turn with two manilhas or a manilha and a 3; answers a call by raising with
// two manilhas, accepting with a manilha or two cards of rank 2 or 3, refusing otherwise; plays a
// hand of eleven when its own or its partner's hand has a manilha or two cards of rank 2 or 3.
class JogadorGuloso : public JogadorGulosoSemTruco
{
public:
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;
};
