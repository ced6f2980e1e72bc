#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QMouseEvent;
class QWidget;

// The borderless frame that the three windows share: the raised edge and the caption drawn on
// the window itself, the drag by any free point of the window's surface, and the window's own
// close and minimise buttons. It watches its window through an event filter, so the window keeps
// its own paint and mouse handlers.
class MolduraJanela : public QObject
{
    Q_OBJECT

public:
    // btFechar closes janela. btMinimizar, when given, minimises principal (janela itself when
    // null) and then brings janela back to the top, as the profile dialog needs.
    MolduraJanela(QWidget* janela, QAbstractButton* btFechar, QAbstractButton* btMinimizar = nullptr,
                  QWidget* principal = nullptr);

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
    void btMinimizar_Click();

    QWidget* m_janela;
    QPointer<QWidget> m_principal;
    bool m_arrastando = false;
    int m_inicioX = 0;
    int m_inicioY = 0;
};
