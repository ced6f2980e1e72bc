#pragma once

// A card played in a hand. codigo is the real card even when it went face down; what the others
// were shown is 0 in that case.
struct CartaNaMesa
{
    int jogador = 0;
    int codigo = 0;
    bool coberta = false;
    int vaza = 0;

    int CodigoMostrado() const { return coberta ? 0 : codigo; }
};
