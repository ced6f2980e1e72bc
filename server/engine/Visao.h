#pragma once

#include "CartaNaMesa.h"
#include "TipoMao.h"

#include <array>
#include <vector>

// What one seat may know of the game: nothing a person in that chair could not see. Bots decide
// from this alone.
struct Visao
{
    int jogador = 0;
    int vira = 0;
    TipoMao tipoMao = TipoMao::Normal;
    // Own cards by hand position; 0 when playing blind. jogadas marks the positions already played.
    std::array<int, 3> mao{};
    std::array<bool, 3> jogadas{};
    // The partner's cards as shown at the deal of a hand of eleven, 0 otherwise.
    std::array<int, 3> maoParceiro{};
    // Cards played in this hand, as shown (0 for a face-down card); mesa is the current trick.
    std::vector<CartaNaMesa> historico;
    std::vector<CartaNaMesa> mesa;
    int vaza = 0;
    // Per finished trick: the winning team, or -1 for a tie.
    std::array<int, 3> resultados{-1, -1, -1};
    std::array<int, 2> vazasGanhas{};
    std::array<int, 2> pontos{};
    int valor = 1;
    bool trucoPendente = false;
    int valorPedido = 0;
    int equipeChamou = -1;
    int ultimaEquipeTruco = -1;
    bool decisaoOnze = false;
    int equipeOnze = -1;
    int vez = -1;

    int Equipe() const { return jogador % 2; }
};
