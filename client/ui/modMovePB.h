#pragma once

#include <QtGlobal>

// The geometry of a move: the angle and the length of the line from (x1, y1) to (x2, y2), with y
// growing downwards as on the screen.
namespace modMovePB {

// The constant the animation has always used for pi; keeping it keeps every path the same.
inline constexpr double kPi = 3.14159265;

// Degrees, the usual mathematical angle with y pointing up: 0 right, 90 up, 180 left, 270 down.
// A line of length 0 gives 0.
double Angulo(qint32 x1, qint32 y1, qint32 x2, qint32 y2);
double Distancia(qint32 x1, qint32 y1, qint32 x2, qint32 y2);

} // namespace modMovePB
