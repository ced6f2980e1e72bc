#pragma once

#include <QObject>

class QAbstractButton;
class QMouseEvent;
class QWidget;

// The borderless frame that the three windows share: the raised edge and the caption drawn on
// the window itself, the drag by any free point of the window's surface, the look of the window's
// own close and minimise buttons (the window handles their clicks), and the client's font and
// colours. It watches its window through an event filter, so the window keeps its own paint and
// mouse handlers.
class MolduraJanela : public QObject
{
    Q_OBJECT

public:
    MolduraJanela(QWidget* janela, QAbstractButton* btFechar,
                  QAbstractButton* btMinimizar = nullptr);

    // The drag state, the press point in twips in the window's own coordinates.
    bool Arrastando() const { return m_arrastando; }
    int InicioX() const { return m_inicioX; }
    int InicioY() const { return m_inicioY; }

    static MolduraJanela* Da(const QWidget* janela);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Form_Paint();
    bool Form_MouseDown(QMouseEvent* e);
    bool Form_MouseMove(QMouseEvent* e);
    void Form_MouseUp();

    QWidget* m_janela;
    bool m_arrastando = false;
    int m_inicioX = 0;
    int m_inicioY = 0;
};
