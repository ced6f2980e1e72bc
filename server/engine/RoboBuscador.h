#pragma once

#include "Robo.h"

// A bot that tries its cards before playing one: over many deals of the cards it cannot see, each
// card it may play is put down and the hand played out, and the card with the best average for
// the game is played. Deep, it tries them at every card where the choice weighs, and weighs its
// calls and answers over many more deals than Robo (a decision takes a few tenths of a
// millisecond). Light, it thinks as much as Robo, trying only its first card of a hand, whose
// judgement is kept for every hand of the same shape.
class RoboBuscador : public Robo
{
public:
    explicit RoboBuscador(std::uint32_t semente = 0);
    void Aprofundar(bool profundo);

protected:
    bool Buscar(const Visao& visao, const MaoSimulada& base,
                const std::vector<Lance>& validos) const override;

private:
    bool m_profundo = true;
};
