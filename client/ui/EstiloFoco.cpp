#include "EstiloFoco.h"

#include <QPainter>
#include <QStyleOption>

void EstiloFoco::drawControl(ControlElement elemento, const QStyleOption* opcao, QPainter* pintor,
                             const QWidget* widget) const
{
    QProxyStyle::drawControl(elemento, opcao, pintor, widget);
    // Shown, as the style's own mark, once the keyboard has moved the focus.
    const State foco = State_HasFocus | State_KeyboardFocusChange;
    if (elemento != CE_PushButton || (opcao->state & foco) != foco)
        return;
    pintor->save();
    pintor->setRenderHint(QPainter::Antialiasing);
    pintor->setPen(QPen(QColor(0x1D, 0x22, 0x1F), 1.5));
    pintor->setBrush(Qt::NoBrush);
    pintor->drawRoundedRect(QRectF(opcao->rect).adjusted(3.5, 3.5, -3.5, -3.5), 2, 2);
    pintor->restore();
}
