#pragma once

#include <QRect>
#include <QWidget>
#include <QtMath>

// Positions and sizes are kept in twips, 15 to the pixel, as the screens were drawn.
namespace Twips {
constexpr double kPorPixel = 15.0;

inline int ParaPx(double twips) { return qRound(twips / kPorPixel); }
inline double DePx(int px) { return px * kPorPixel; }

inline QRect Retangulo(double left, double top, double width, double height)
{
    return QRect(ParaPx(left), ParaPx(top), ParaPx(width), ParaPx(height));
}

inline void Posicionar(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(Retangulo(left, top, width, height));
}
} // namespace Twips
