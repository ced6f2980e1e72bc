#include "Aparencia.h"

#include "EstiloFoco.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace Aparencia {

QFont Fonte()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    // Pixel size, not points: the screens were laid out in pixels (twips / 15) and must hold the
    // same text at any logical DPI.
    f.setPixelSize(11);
    return f;
}

QFont FonteDaJanela(const QWidget* janela)
{
    QFont f = janela->font();
    f.setBold(true);
    return f;
}

QColor Mesa()
{
    return QColor(0x23, 0x5E, 0x3C);
}

QColor TextoMesa()
{
    return QColor(0xF5, 0xF1, 0xE3);
}

void Aplicar(QWidget* janela)
{
    if (!qobject_cast<EstiloFoco*>(QApplication::style()))
        QApplication::setStyle(new EstiloFoco);
    const QColor creme(0xFB, 0xF9, 0xF1);
    const QColor botao(0xE8, 0xE1, 0xCC);
    const QColor tinta(0x1D, 0x22, 0x1F);
    const QColor ouro(0xD9, 0xB1, 0x4E);

    QPalette p;
    p.setColor(QPalette::Window, Mesa());
    p.setColor(QPalette::WindowText, TextoMesa());
    p.setColor(QPalette::Base, creme);
    p.setColor(QPalette::AlternateBase, QColor(0xF1, 0xEE, 0xE2));
    p.setColor(QPalette::Text, tinta);
    p.setColor(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x78));
    p.setColor(QPalette::Button, botao);
    p.setColor(QPalette::ButtonText, tinta);
    p.setColor(QPalette::Highlight, ouro);
    p.setColor(QPalette::HighlightedText, tinta);
    p.setColor(QPalette::ToolTipBase, creme);
    p.setColor(QPalette::ToolTipText, tinta);
    p.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::Midlight, QColor(0xF4, 0xEF, 0xDF));
    p.setColor(QPalette::Mid, QColor(0xA8, 0xA0, 0x88));
    p.setColor(QPalette::Dark, QColor(0x5A, 0x55, 0x48));
    p.setColor(QPalette::Shadow, QColor(0x10, 0x14, 0x12));

    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xA9, 0xC2, 0xB1));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8C, 0x8A, 0x82));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8C, 0x8A, 0x82));
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(0xE6, 0xE3, 0xD8));
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(0xD4, 0xCE, 0xBC));

    janela->setPalette(p);
    janela->setFont(Fonte());
}

} // namespace Aparencia
