#include "MolduraJanela.h"

#include "Aparencia.h"
#include "Twips.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWindow>

namespace {
// The glyphs of the window buttons, drawn once so they stay crisp at 13 px.
QIcon IconeBotao(bool fechar, const QColor& cor)
{
    QPixmap p(9, 9);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(cor, 1.6, Qt::SolidLine, Qt::RoundCap));
    if (fechar) {
        g.drawLine(QPointF(1.5, 1.5), QPointF(7.5, 7.5));
        g.drawLine(QPointF(7.5, 1.5), QPointF(1.5, 7.5));
    } else {
        g.drawLine(QPointF(1.5, 7.0), QPointF(7.5, 7.0));
    }
    return QIcon(p);
}

void VestirBotao(QAbstractButton* b, bool fechar)
{
    b->setText(QString());
    b->setIcon(IconeBotao(fechar, QColor(0x1D, 0x22, 0x1F)));
    b->setIconSize(QSize(9, 9));
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(fechar ? QStringLiteral("Fechar") : QStringLiteral("Minimizar"));
    b->setStyleSheet(
        QStringLiteral(
            "QAbstractButton { background: #E8E1CC; border: 1px solid #10241A; border-radius: 2px;"
            " padding: 0; }"
            "QAbstractButton:hover { background: %1; }"
            "QAbstractButton:pressed { background: #B9B29E; }"
            "QAbstractButton:disabled { background: #9DB3A4; }")
            .arg(fechar ? QStringLiteral("#E9A38F") : QStringLiteral("#FFFFFF")));
}

// Wayland does not let a program place its own windows: there the window system moves it.
bool MoverPeloSistema()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

MolduraJanela::MolduraJanela(QWidget* janela, QAbstractButton* btFechar,
                             QAbstractButton* btMinimizar)
    : QObject(janela), m_janela(janela)
{
    setObjectName(QStringLiteral("MolduraJanela"));
    janela->setWindowFlag(Qt::FramelessWindowHint, true);
    Aparencia::Aplicar(janela);
    janela->installEventFilter(this);

    if (btFechar)
        VestirBotao(btFechar, true);
    if (btMinimizar)
        VestirBotao(btMinimizar, false);
}

MolduraJanela* MolduraJanela::Da(const QWidget* janela)
{
    return janela->findChild<MolduraJanela*>(QStringLiteral("MolduraJanela"),
                                             Qt::FindDirectChildrenOnly);
}

bool MolduraJanela::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto != m_janela)
        return false;
    switch (evento->type()) {
    case QEvent::Paint:
        Form_Paint();
        break;
    case QEvent::WindowTitleChange:
        m_janela->update();
        break;
    case QEvent::MouseButtonPress:
        return Form_MouseDown(static_cast<QMouseEvent*>(evento));
    case QEvent::MouseMove:
        return Form_MouseMove(static_cast<QMouseEvent*>(evento));
    case QEvent::MouseButtonRelease:
        Form_MouseUp();
        break;
    default:
        break;
    }
    return false;
}

void MolduraJanela::Form_Paint()
{
    QPainter g(m_janela);
    const QFont fonte = Aparencia::FonteDaJanela(m_janela);
    g.setFont(fonte);
    g.setPen(m_janela->palette().color(QPalette::WindowText));
    // The caption's top-left corner sits at (150, 60) twips.
    const int x = Twips::ParaPx(150);
    const int y = Twips::ParaPx(60);
    g.drawText(QPoint(x, y + QFontMetrics(fonte).ascent()), m_janela->windowTitle());

    // Light top and left, dark right and bottom: the window looks raised.
    const int w = m_janela->width();
    const int h = m_janela->height();
    g.setPen(Qt::white);
    g.drawLine(0, 0, w - 1, 0);
    g.drawLine(0, 0, 0, h - 1);
    g.setPen(Qt::black);
    g.drawLine(w - 1, 0, w - 1, h - 1);
    g.drawLine(0, h - 1, w - 1, h - 1);
}

bool MolduraJanela::Form_MouseDown(QMouseEvent* e)
{
    // A press that reached the window from a control under the pointer belongs to that control.
    if (m_janela->childAt(e->position().toPoint()))
        return false;
    if (e->buttons() != Qt::LeftButton)
        return false;
    if (MoverPeloSistema() && m_janela->windowHandle() &&
        m_janela->windowHandle()->startSystemMove())
        return true;
    m_arrastando = true;
    m_inicioX = qRound(Twips::DePx(1) * e->position().x());
    m_inicioY = qRound(Twips::DePx(1) * e->position().y());
    return true;
}

bool MolduraJanela::Form_MouseMove(QMouseEvent* e)
{
    if (!m_arrastando || e->buttons() != Qt::LeftButton)
        return false;
    // The window's left plus the pointer's X inside it is the pointer's place on the screen.
    // Reading that place directly keeps the press point under the pointer even when the window
    // system moves the window later than it was told to.
    const QPointF tela =
        e->globalPosition() - (m_janela->mapToGlobal(QPoint(0, 0)) - m_janela->pos());
    const double esquerda = Twips::DePx(1) * tela.x() - m_inicioX;
    const double topo = Twips::DePx(1) * tela.y() - m_inicioY;
    m_janela->move(Twips::ParaPx(esquerda), Twips::ParaPx(topo));
    return true;
}

void MolduraJanela::Form_MouseUp()
{
    m_arrastando = false;
}
