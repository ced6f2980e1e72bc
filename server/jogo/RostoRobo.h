#pragma once

#include <QByteArray>

// The bots' pictures, in the bytes "jgInf" carries: a robot's face for each seat, each with its own
// colour, head, eyes and mouth, so that the four read apart at the panel's 51 pixels. Painted once,
// on first use, with shapes only (no text), so it needs no GUI application.
class RostoRobo
{
public:
    // The picture of the bot in this seat (0 to 3).
    static const QByteArray& Foto(int assento);
};
