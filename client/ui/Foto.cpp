#include "Foto.h"

#include "Twips.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

namespace Foto {

QImage& FotoLocal()
{
    static QImage foto;
    return foto;
}

QImage Recortar(const QImage& origem)
{
    if (origem.isNull())
        return {};
    // The drawing area is 765 twips inside a box of 795 with a one-pixel border; the picture is
    // placed in twips and centred in that box, so the shorter side spans the area exactly.
    constexpr double kArea = 765.0;
    constexpr double kCaixa = 795.0;
    const double w = origem.width();
    const double h = origem.height();
    const double m = std::min(w, h);
    const double largura = w / m * kArea;
    const double altura = h / m * kArea;
    // Integer division truncates toward zero.
    const double esquerda = std::trunc(std::round(kCaixa - largura) / 2.0) - Twips::kPorPixel;
    const double topo = std::trunc(std::round(kCaixa - altura) / 2.0) - Twips::kPorPixel;

    const QRectF destino(esquerda / Twips::kPorPixel, topo / Twips::kPorPixel,
                         largura / Twips::kPorPixel, altura / Twips::kPorPixel);
    // Shrinking by area first keeps a large photograph from turning to noise.
    const QImage reduzida = origem.scaled(qCeil(destino.width()), qCeil(destino.height()),
                                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QImage previa(kLado, kLado, QImage::Format_RGB32);
    previa.fill(Qt::black);
    QPainter g(&previa);
    g.setRenderHint(QPainter::SmoothPixmapTransform);
    g.drawImage(destino, reduzida);
    return previa;
}

} // namespace Foto
