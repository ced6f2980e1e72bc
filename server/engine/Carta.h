#pragma once

// Card codes 1 to 40: the suit is the row and the rank the column of the client's 10 x 4 face
// image. Suits 0 clubs, 1 hearts, 2 spades, 3 diamonds; ranks 0 to 9 are 4 5 6 7 Q J K A 2 3, the
// game's order from the lowest card to the highest.
class Carta
{
public:
    static constexpr int kNenhuma = 0;
    // A face-down card loses to every card, a face-down one included only by tying with it.
    static constexpr int kForcaCoberta = -1;

    static bool Valida(int codigo) { return codigo >= 1 && codigo <= 40; }
    static int Posto(int codigo) { return (codigo - 1) % 10; }
    static int Naipe(int codigo) { return (codigo - 1) / 10; }
    static int Codigo(int posto, int naipe) { return naipe * 10 + posto + 1; }

    // The manilhas are the rank after the vira's; after the three comes the four again.
    static int PostoManilha(int vira) { return (Posto(vira) + 1) % 10; }
    static bool Manilha(int codigo, int vira) { return Posto(codigo) == PostoManilha(vira); }

    // 0 to 9 for ordinary cards (suit does not matter, equal ranks tie), 10 to 13 for the
    // manilhas: diamonds 10, spades 11, hearts 12, clubs 13.
    static int Forca(int codigo, int vira)
    {
        if (Manilha(codigo, vira))
            return 13 - Naipe(codigo);
        return Posto(codigo);
    }
};
