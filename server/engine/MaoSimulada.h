#pragma once

#include "Visao.h"

#include <array>
#include <cstdint>
#include <optional>

// The rest of a hand with every card known, played out fast: a bot deals the cards it cannot see
// in many ways and plays each deal to its end to judge a choice. Truco plays no part here.
// Only strengths count in play, so cards are kept as their strength (Carta::Forca), and seats
// and teams are counted from the seat whose view it is: seat 0 is that seat, 2 its partner,
// team 0 theirs.
class MaoSimulada
{
public:
    // The hand as this seat sees it: its own cards, its partner's when shown, the closed tricks
    // and the table. Cards no one has shown are left to Sortear.
    explicit MaoSimulada(const Visao& visao);

    // A copy with the unseen cards dealt at random from those not yet seen, every hand then in
    // order of strength (positions no longer those of the seat's view).
    MaoSimulada Sortear(std::uint64_t& estado) const;
    // splitmix64: small, fast, and the same sequence on every platform.
    static std::uint64_t Proximo(std::uint64_t& estado);

    int Vez() const { return m_vez; }
    int Vaza() const { return m_vaza; }
    int NaMesa() const { return m_naMesa; }
    // The strength of the card a seat holds at a hand position, kSem where there is none.
    int Forca(int jogador, int posicao) const { return m_cartas[jogador][posicao]; }
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
    // 0 for a weak hand, 1 for a fair one (a manilha or two 2s and 3s), 2 for a strong one (two
    // manilhas, or a manilha with a 2 or a 3): the cards the seat holds and those it showed.
    int Nivel(int jogador) const;

    // The same hand told by its strengths alone, when it is the seat's first card of the first
    // trick with at most one card before it: the seat's cards in order of strength (weakest at
    // position 0) and the unseen cards in a fixed order, so that a deal from it depends on the
    // key alone. Nothing for any other moment.
    std::optional<std::pair<std::uint64_t, MaoSimulada>> Canonica() const;

    static constexpr int kSem = -2;

private:
    static constexpr int kOculta = -1;

    // Strength by position, kOculta for a card Sortear must deal, kSem for none.
    std::array<std::array<std::int8_t, 3>, 4> m_cartas{};
    // Manilhas and 2s or 3s each seat showed in this hand.
    std::array<std::array<std::int8_t, 2>, 4> m_mostradas{};
    std::array<std::int8_t, 40> m_livres{};
    int m_nLivres = 0;
    int m_forcaVira = 0;
    // The trick in play: who played, in order, and with what strength.
    std::array<std::int8_t, 4> m_mesaJogador{};
    std::array<std::int8_t, 4> m_mesaForca{};
    int m_naMesa = 0;
    int m_vaza = 0;
    int m_vez = 0;
    // Every hand in order of strength, as Sortear leaves them.
    bool m_ordenada = false;
    std::array<int, 3> m_resultados{-1, -1, -1};
    std::array<int, 2> m_vazasGanhas{};
};
