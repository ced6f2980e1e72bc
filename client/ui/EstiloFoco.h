#pragma once

#include <QProxyStyle>

// The platform's style with a focus mark that shows: the button that Tab reached gets a dark ring
// inside its edge (the style's own mark is a faint line in the highlight colour, lost on the
// cream buttons).
class EstiloFoco : public QProxyStyle
{
    Q_OBJECT

public:
    void drawControl(ControlElement elemento, const QStyleOption* opcao, QPainter* pintor,
                     const QWidget* widget = nullptr) const override;
};
