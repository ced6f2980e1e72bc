#include "CaixaFigura.h"

#include "Twips.h"

#include <QPainter>

CaixaFigura::CaixaFigura(QWidget* pai) : QWidget(pai) {}

void CaixaFigura::SetLeft(double twips)
{
    m_left = twips;
    Reposicionar();
}

void CaixaFigura::SetTop(double twips)
{
    m_top = twips;
    Reposicionar();
}

void CaixaFigura::SetPosicao(double left, double top)
{
    m_left = left;
    m_top = top;
    Reposicionar();
}

void CaixaFigura::SetTamanho(double largura, double altura)
{
    resize(Twips::ParaPx(largura), Twips::ParaPx(altura));
}

void CaixaFigura::SetFigura(const QImage& figura)
{
    m_figura = figura;
    update();
}

void CaixaFigura::Desenhar(const QImage& imagem, double left, double top)
{
    m_desenho.append({QPoint(Twips::ParaPx(left), Twips::ParaPx(top)), imagem});
    update();
}

void CaixaFigura::Cls()
{
    m_desenho.clear();
    update();
}

void CaixaFigura::SetCorFundo(const QColor& cor)
{
    m_corFundo = cor;
    update();
}

void CaixaFigura::Reposicionar()
{
    move(Twips::ParaPx(m_left), Twips::ParaPx(m_top));
}

void CaixaFigura::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_corFundo.isValid())
        p.fillRect(rect(), m_corFundo);
    if (!m_figura.isNull())
        p.drawImage(0, 0, m_figura);
    for (const auto& [onde, imagem] : m_desenho)
        p.drawImage(onde, imagem);
}
