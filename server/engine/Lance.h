#pragma once

// One move, by a person or a bot, always through Partida::Jogar.
struct Lance
{
    enum class Tipo
    {
        Carta,   // play the card at hand position 0-2
        Truco,   // call truco, or raise a call made to one's team
        Aceitar, // accept the call, or play the hand of eleven
        Recusar  // refuse the call, or refuse the hand of eleven
    };

    Tipo tipo = Tipo::Carta;
    int jogador = 0;
    int posicao = 0;
    bool coberta = false;

    static Lance JogarCarta(int jogador, int posicao, bool coberta = false)
    {
        return {Tipo::Carta, jogador, posicao, coberta};
    }
    static Lance Trucar(int jogador) { return {Tipo::Truco, jogador, 0, false}; }
    static Lance Aceitar(int jogador) { return {Tipo::Aceitar, jogador, 0, false}; }
    static Lance Recusar(int jogador) { return {Tipo::Recusar, jogador, 0, false}; }

    bool operator==(const Lance&) const = default;
};
