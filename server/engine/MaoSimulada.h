#pragma once

#include "Visao.h"

#include <array>
#include <cstdint>
#include <optional>

// The rest of a hand with every card known, played out fast: a bot deals the cards it cannot see
// in many ways and plays each deal to its end to judge a choice. Truco plays no part here.
class MaoSimulada
{
public:
    // The hand as this seat sees it: its own cards, its partner's when shown, the closed tricks
    // and the table. Cards no one has shown are left to Sortear.
    explicit MaoSimulada(const Visao& visao);

    // A copy with the unseen cards dealt at random from those not yet seen.
    MaoSimulada Sortear(std::uint64_t& estado) const;
    // splitmix64: small, fast, and the same sequence on every platform.
    static std::uint64_t Proximo(std::uint64_t& estado);

    int Vez() const { return m_vez; }
    // Codes still in the seat's hand, by hand position; 0 where there is none.
    const std::array<int, 3>& Cartas(int jogador) const { return m_cartas[jogador]; }
    // The card a sound player puts down for the seat on turn, as a hand position: the least card
    // that takes the trick, the lowest when the partner holds it or nothing takes it; a lead with
    // the best card, in the first trick the best that is not a manilha.
    int Escolha() const;
    void Jogar(int posicao, bool coberta = false);
    // The team that took the hand, -1 when nobody did, nothing while it goes on.
    std::optional<int> Vencedora() const;
    // Every seat plays Escolha() until the hand is decided; returns Vencedora(). The seats of
    // team descuidada play any card instead with the chance descuido.
    int JogarAteOFim(std::uint64_t& estado, int descuidada = -1, double descuido = 0);

private:
    static constexpr int kOculta = -1;

    int m_vira = 0;
    // Own and shown cards by position, kOculta for a card Sortear must deal.
    std::array<std::array<int, 3>, 4> m_cartas{};
    std::array<int, 40> m_livres{};
    int m_nLivres = 0;
    int m_ocultas = 0;
    // The trick in play: who played, in order, and with what strength.
    std::array<int, 4> m_mesaJogador{};
    std::array<int, 4> m_mesaForca{};
    int m_naMesa = 0;
    int m_vaza = 0;
    int m_vez = 0;
    std::array<int, 3> m_resultados{-1, -1, -1};
    std::array<int, 2> m_vazasGanhas{};
};
