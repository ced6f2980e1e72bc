#pragma once

enum class TipoMao
{
    Normal,
    Onze, // one team at eleven: it sees its partner's cards and decides whether to play
    Ferro // both teams at eleven: everyone plays blind
};
