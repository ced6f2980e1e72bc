#include "ListaSalas.h"

#include "Twips.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>
#include <stdexcept>

namespace ListaSalas {

QString TextoDaCelula(const QTreeWidget* v, int c, int r)
{
    if (c < 1 || c > v->columnCount() || r < 0 || r > v->topLevelItemCount())
        throw std::out_of_range("Célula inexistente na lista");
    const QTreeWidgetItem* item = r == 0 ? v->headerItem() : v->topLevelItem(r - 1);
    return item->text(c - 1);
}

void AjustarColunas(QTreeWidget* v, const QFont& fonte)
{
    // Twips, as the list was laid out: 195 of margin around a text, 89.362 of edge at the right.
    constexpr double kMargem = 195.0;
    constexpr double kBorda = 89.362;
    const QFontMetrics medida(fonte);
    const int colunas = v->columnCount();
    for (int c = 1; c <= colunas; ++c) {
        double w = 0;
        if (c == colunas) {
            // Read now, so it already counts the widths just given to the columns before.
            const int esquerda = v->header()->sectionPosition(c - 1);
            w = Twips::DePx(v->width()) - Twips::DePx(esquerda) - kBorda;
        }
        for (int r = 0; r <= v->topLevelItemCount(); ++r) {
            const double tw =
                Twips::DePx(medida.horizontalAdvance(TextoDaCelula(v, c, r))) + kMargem;
            if (tw > w)
                w = tw;
        }
        v->setColumnWidth(c - 1, Twips::ParaPx(w));
    }
}

} // namespace ListaSalas
