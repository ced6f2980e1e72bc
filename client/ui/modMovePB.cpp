#include "modMovePB.h"

#include <cmath>

namespace modMovePB {

// The differences are taken in 64 bits: two far-apart 32-bit positions must not overflow.
double Angulo(qint32 x1, qint32 y1, qint32 x2, qint32 y2)
{
    if (y2 == y1)
        return x1 > x2 ? 180.0 : 0.0;
    const double dx = double(qint64(x2) - x1);
    const double dy = double(qint64(y2) - y1);
    return std::atan(dx / dy) / kPi * 180.0 + (y1 < y2 ? 270.0 : 90.0);
}

double Distancia(qint32 x1, qint32 y1, qint32 x2, qint32 y2)
{
    const double dx = double(qint64(x2) - x1);
    const double dy = double(qint64(y2) - y1);
    return std::pow(dx * dx + dy * dy, 0.5);
}

} // namespace modMovePB
