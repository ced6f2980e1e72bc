#include "RegiaoPorFaixas.h"

void RegiaoPorFaixas::Linha(int y, const QVector<QPair<int, int>>& faixas)
{
    if (m_altura > 0 && y == m_topo + m_altura && faixas == m_faixas) {
        ++m_altura;
        return;
    }
    FecharBanda();
    m_faixas = faixas;
    m_topo = y;
    m_altura = faixas.isEmpty() ? 0 : 1;
}

void RegiaoPorFaixas::FecharBanda()
{
    if (m_altura <= 0)
        return;
    for (const auto& [x0, x1] : m_faixas)
        m_retangulos.append(QRect(x0, m_topo, x1 - x0, m_altura));
    m_altura = 0;
}

QRegion RegiaoPorFaixas::Regiao()
{
    FecharBanda();
    QRegion r;
    r.setRects(m_retangulos.constData(), int(m_retangulos.size()));
    m_retangulos.clear();
    return r;
}
