#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

// The table's artwork, drawn once on first use and kept for the whole run.
namespace Arte {

// Painted in the corner pixels of the back and of every face; the region cut from the back
// leaves it out, which rounds the cards.
inline constexpr QRgb kCorChave = qRgb(128, 128, 255);
inline constexpr int kLarguraCarta = 71;
inline constexpr int kAlturaCarta = 96;

// 710 x 384: 10 x 4 cells of 71 x 96. Rows by suit: 0 clubs, 1 hearts, 2 spades, 3 diamonds.
// Columns by rank, lowest first: 0 four, 1 five, 2 six, 3 seven, 4 queen, 5 jack, 6 king, 7 ace,
// 8 two, 9 three. From the system's svg-standard deck, or a plain painted deck without it.
const QImage& FacesCartas();
const QImage& VersoCarta(); // 71 x 96
// 149 x 65: the scoreboard with its fixed labels. The table draws the trick marks and the three
// numbers over it in CorTextoPlacar().
const QImage& FundoPlacar();
const QImage& Ponto();   // 7 x 7 trick mark, transparent around the dot
const QImage& Ninguem(); // 51 x 51 empty seat
QColor CorMesa();        // the felt: the program's window colour
QColor CorTextoPlacar(); // ink for what the table writes on the scoreboard
// The table's felt over area, with a soft light in the middle and a rail at the edge.
void PintarMesa(QPainter& p, const QRect& area);

// What FacesCartas and VersoCarta are drawn from: the deck file, or the painted deck when
// arquivoSvg is empty or cannot be read. Not cached; for the first call and for tests.
QImage DesenharFaces(const QString& arquivoSvg);
QImage DesenharVerso(const QString& arquivoSvg);
// The svg-standard deck in the system's card-deck folder; empty when none is installed.
QString ArquivoDoBaralho();

} // namespace Arte
