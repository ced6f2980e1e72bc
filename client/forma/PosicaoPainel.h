#pragma once

#include <QtGlobal>

// Where a player panel waits outside a game and where it sits during one, in twips.
struct PosicaoPainel
{
    qint32 LeftEspera = 0;
    qint32 TopEspera = 0;
    qint32 LeftJogo = 0;
    qint32 TopJogo = 0;
};
