#pragma once

#include "TipoMao.h"

#include <array>

// What happened, in the order it happened. The server turns each event into messages; the fields
// used depend on the type.
struct Evento
{
    enum class Tipo
    {
        Distribuicao, // vira, tipoMao, equipe (the team at eleven, or -1), vistas
        Vez,          // jogador: whose turn it is
        Carta,        // jogador, codigo (0 when played face down)
        FimVaza,      // jogador: the trick's winner or -1 for a tie; placar: tricks per team
        FimMao,       // placar: both teams' game points
        Truco,        // equipe calling, valor asked, jogador who called
        TrucoAceito,
        FimOnze, // the team at eleven decided
        FimJogo  // jogador: a seat of the winning team; equipe: the winning team
    };

    Tipo tipo = Tipo::Vez;
    int jogador = -1;
    int codigo = 0;
    int equipe = -1;
    int valor = 0;
    std::array<int, 2> placar{};
    int vira = 0;
    TipoMao tipoMao = TipoMao::Normal;
    // Per seat, what that player may see: his own three cards (zeros when playing blind) and his
    // partner's three (zeros unless his team decides a hand of eleven).
    std::array<std::array<int, 6>, 4> vistas{};
};
