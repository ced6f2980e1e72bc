#pragma once

#include <QtGlobal>

// One card slot of the table: what it shows and where it lives between moves (twips).
struct InfoCarta
{
    // Shown and played face down.
    bool Coberta = false;
    // 1 to 40, 0 for a card the client does not know.
    qint32 Codigo = 0;
    qint32 Left = 0;
    qint32 Top = 0;
};
