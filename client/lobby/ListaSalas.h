#pragma once

#include <QString>

class QFont;
class QTreeWidget;

// The report-style room list, read and sized by cell: row 0 is the header row, rows from 1 the
// rooms; column 1 is the room's name, columns 2 and 3 its players and password texts.
namespace ListaSalas {

// Throws std::out_of_range for a cell that does not exist.
QString TextoDaCelula(const QTreeWidget* v, int c, int r);

// Every column as wide as its widest text (header included) measured with fonte, plus 195
// twips; the last one at least wide enough to reach the list's right edge less 89.362 twips.
void AjustarColunas(QTreeWidget* v, const QFont& fonte);

} // namespace ListaSalas
