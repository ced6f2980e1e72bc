#pragma once

#include "Robo.h"

// A bot that tries its cards before playing one: over many deals of the cards it cannot see, each
// card it may play is put down and the hand played out, and the card with the best average for
// the game is played. It tries them where the choice weighs: its first card of the hand and of
// the second trick, when it plays first or second; later, or after its partner and an opponent
// have shown their cards, the rule's card is as good. Calls and answers are Robo's.
class RoboBuscador : public Robo
{
public:
    using Robo::Robo;

protected:
    bool Buscar(const Visao& visao, const MaoSimulada& base,
                const std::vector<Lance>& validos) const override;
};
