#include "RostoRobo.h"

#include "CodecFoto.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {

QImage Pintar(int n)
{
    // Background and light of each bot: blue, green, orange, purple.
    static const std::array<QColor, 4> fundos{QColor(52, 101, 164), QColor(78, 154, 6),
                                              QColor(206, 92, 0), QColor(117, 80, 123)};
    static const std::array<QColor, 4> luzes{QColor(120, 230, 255), QColor(255, 235, 60),
                                             QColor(255, 70, 70), QColor(130, 255, 130)};
    const QColor luz = luzes[size_t(n)];
    const QColor traco(25, 25, 30);

    QImage imagem(Foto::kLado, Foto::kLado, QImage::Format_RGB32);
    imagem.fill(fundos[size_t(n)]);
    QPainter g(&imagem);
    g.setRenderHint(QPainter::Antialiasing);

    // Antenna, neck and ears first: the head covers their ends.
    g.setPen(QPen(traco, 2));
    g.drawLine(QPointF(25.5, 5), QPointF(25.5, 13));
    g.setBrush(luz);
    g.drawEllipse(QPointF(25.5, 5), 3.2, 3.2);
    g.setPen(QPen(traco, 1.2));
    g.setBrush(QColor(90, 95, 105));
    g.drawRect(QRectF(17.5, 42, 16, 9));
    g.drawRoundedRect(QRectF(3.5, 22, 6, 12), 2, 2);
    g.drawRoundedRect(QRectF(41.5, 22, 6, 12), 2, 2);

    // Head: rounded, round, square, wide.
    QLinearGradient metal(0, 12, 0, 44);
    metal.setColorAt(0, QColor(225, 228, 232));
    metal.setColorAt(1, QColor(140, 146, 156));
    g.setPen(QPen(traco, 1.5));
    g.setBrush(metal);
    const std::array<QRectF, 4> cabecas{QRectF(8.5, 12.5, 34, 31), QRectF(8, 11, 35, 34),
                                        QRectF(9.5, 13.5, 32, 30), QRectF(6.5, 15.5, 38, 27)};
    const std::array<qreal, 4> cantos{7, 17, 2, 11};
    g.drawRoundedRect(cabecas[size_t(n)], cantos[size_t(n)], cantos[size_t(n)]);

    // Eyes: two round lamps, a visor, two square lamps, one big eye.
    g.setPen(QPen(traco, 1.2));
    const auto olho = [&](QPointF centro, qreal raio) {
        g.setBrush(traco);
        g.drawEllipse(centro, raio + 1.2, raio + 1.2);
        g.setPen(Qt::NoPen);
        g.setBrush(luz);
        g.drawEllipse(centro, raio, raio);
        g.setBrush(Qt::white);
        g.drawEllipse(centro - QPointF(raio / 3, raio / 3), raio / 3, raio / 3);
        g.setPen(QPen(traco, 1.2));
    };
    switch (n) {
    case 0:
        olho({18.5, 25}, 4);
        olho({32.5, 25}, 4);
        break;
    case 1:
        g.setBrush(traco);
        g.drawRoundedRect(QRectF(12.5, 21, 26, 9), 4, 4);
        g.setPen(Qt::NoPen);
        g.setBrush(luz);
        g.drawRoundedRect(QRectF(14.5, 23, 22, 5), 2.5, 2.5);
        g.setPen(QPen(traco, 1.2));
        break;
    case 2:
        for (qreal x : {14.5, 29.5}) {
            g.setBrush(traco);
            g.drawRect(QRectF(x, 20.5, 8, 8));
            g.setBrush(luz);
            g.drawRect(QRectF(x + 2, 22.5, 4, 4));
        }
        break;
    default:
        olho({25.5, 26}, 6);
        break;
    }

    // Mouth: a grille, a smile, a zigzag, a slot.
    g.setBrush(Qt::NoBrush);
    switch (n) {
    case 0:
        g.setBrush(QColor(60, 64, 72));
        g.drawRoundedRect(QRectF(16.5, 34, 18, 6), 1.5, 1.5);
        for (qreal x : {21.0, 25.5, 30.0})
            g.drawLine(QPointF(x, 34), QPointF(x, 40));
        break;
    case 1: {
        g.setPen(QPen(traco, 2.2, Qt::SolidLine, Qt::RoundCap));
        g.drawArc(QRectF(16, 28, 19, 11), -20 * 16, -140 * 16);
        break;
    }
    case 2: {
        QPainterPath zigue;
        zigue.moveTo(15.5, 37);
        for (int i = 1; i <= 6; ++i)
            zigue.lineTo(15.5 + i * 3.5, i % 2 ? 34 : 37);
        g.setPen(QPen(traco, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPath(zigue);
        break;
    }
    default:
        g.setBrush(luz);
        g.drawRoundedRect(QRectF(18.5, 35, 14, 3.5), 1.5, 1.5);
        break;
    }
    g.end();
    return imagem;
}

} // namespace

const QByteArray& RostoRobo::Foto(int assento)
{
    static const std::array<QByteArray, 4> fotos{
        Foto::CodificarFoto(Pintar(0)), Foto::CodificarFoto(Pintar(1)),
        Foto::CodificarFoto(Pintar(2)), Foto::CodificarFoto(Pintar(3))};
    return fotos.at(size_t(assento));
}
