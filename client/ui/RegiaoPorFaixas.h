#pragma once

#include <QRegion>
#include <QVector>

// Builds a QRegion from spans given row by row, top to bottom: rows with the same spans one after
// another become one band, and the region is set in one go. Subtracting one rectangle per run
// costs a pass over the whole region for each run; this is linear in the number of spans.
class RegiaoPorFaixas
{
public:
    // Spans of row y, left to right, disjoint and not touching: [x0, x1).
    void Linha(int y, const QVector<QPair<int, int>>& faixas);
    QRegion Regiao();

private:
    void FecharBanda();

    QVector<QRect> m_retangulos;
    QVector<QPair<int, int>> m_faixas;
    int m_topo = 0;
    int m_altura = 0;
};
