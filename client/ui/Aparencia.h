#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The one look of the client's windows: DejaVu Sans on a card-table green, light text on the
// green, dark text on the cream boxes and buttons.
namespace Aparencia {

QFont Fonte();
// The font the windows draw their own text with (the caption): the window's font made bold.
QFont FonteDaJanela(const QWidget* janela);

QColor Mesa();      // the window background
QColor TextoMesa(); // text drawn on the background

// Font and palette for one top-level window and everything inside it.
void Aplicar(QWidget* janela);

} // namespace Aparencia
