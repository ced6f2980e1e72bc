#include "MolduraJanela.h"
#include "frmPerfil.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {
// A free point of the profile dialog: the caption band, left of the window buttons.
constexpr QPoint kLivre{150, 9};

void Mouse(QWidget* w, QEvent::Type tipo, QPoint local, Qt::MouseButton botao,
           Qt::MouseButtons botoes, QPoint global = {})
{
    QMouseEvent e(tipo, QPointF(local), QPointF(global.isNull() ? w->mapToGlobal(local) : global),
                  botao, botoes, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

class TstMolduraJanela : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmPerfil> d;
    QPoint antes;

private slots:
    void init()
    {
        d = std::make_unique<frmPerfil>(nullptr);
        d->move(200, 100);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        QVERIFY(!d->childAt(kLivre));
        antes = d->pos();
    }

    void cleanup() { d.reset(); }

    // Only the left button alone on a free point drags: not with the right one, not a press on a
    // control. The dialog then follows the pointer's moves from the press point.
    void arrasto()
    {
        auto* rotulo = d->findChildren<QLabel*>().constFirst();
        Mouse(d.get(), QEvent::MouseButtonPress, kLivre, Qt::RightButton,
              Qt::LeftButton | Qt::RightButton);
        Mouse(d.get(), QEvent::MouseMove, kLivre + QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
        Mouse(d.get(), QEvent::MouseButtonRelease, kLivre, Qt::RightButton, Qt::NoButton);
        Mouse(rotulo, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
        Mouse(d.get(), QEvent::MouseMove, kLivre + QPoint(20, 10), Qt::NoButton, Qt::LeftButton);
        Mouse(d.get(), QEvent::MouseButtonPress, kLivre, Qt::LeftButton, Qt::LeftButton);
        Mouse(d.get(), QEvent::MouseMove, kLivre + QPoint(20, 0), Qt::NoButton,
              Qt::LeftButton | Qt::RightButton);
        QCOMPARE(d->pos(), antes);

        Mouse(d.get(), QEvent::MouseMove, kLivre + QPoint(20, 10), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(d->pos(), antes + QPoint(20, 10));
        // The pointer moved with the window: the press point is under it again, nothing moves.
        Mouse(d.get(), QEvent::MouseMove, kLivre, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(d->pos(), antes + QPoint(20, 10));
        // A window system that moves the window late reports the pointer inside the window as
        // if it had not moved yet; the window still ends where the pointer says.
        Mouse(d.get(), QEvent::MouseMove, kLivre + QPoint(30, 20), Qt::NoButton, Qt::LeftButton,
              d->mapToGlobal(kLivre) + QPoint(10, 10));
        QCOMPARE(d->pos(), antes + QPoint(30, 20));
        Mouse(d.get(), QEvent::MouseButtonRelease, kLivre, Qt::LeftButton, Qt::NoButton);
        Mouse(d.get(), QEvent::MouseMove, kLivre + QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(d->pos(), antes + QPoint(30, 20));
    }

    void fecharEMinimizar()
    {
        QWidget principal;
        principal.resize(300, 200);
        principal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principal));
        frmPerfil filho(&principal);
        filho.show();
        QVERIFY(QTest::qWaitForWindowExposed(&filho));
        QVERIFY(filho.btFechar->text().isEmpty() && !filho.btFechar->icon().isNull());
        // Raised: light top and left edges, dark right and bottom ones.
        const QImage i = filho.grab().toImage();
        const int w = i.width() - 1, h = i.height() - 1;
        QCOMPARE(
            (QList<QRgb>{i.pixel(w / 2, 0), i.pixel(0, h / 2), i.pixel(w / 2, h),
                         i.pixel(w, h / 2)}),
            (QList<QRgb>{qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 0)}));

        // The main window goes down; the dialog is not minimised by it.
        filho.btMinimizar->click();
        QVERIFY(principal.windowState().testFlag(Qt::WindowMinimized));
        QVERIFY(!filho.windowState().testFlag(Qt::WindowMinimized) && filho.isVisible());

        filho.btFechar->click();
        QVERIFY(!filho.isVisible());
        QCOMPARE(filho.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TstMolduraJanela)
#include "tst_moldurajanela.moc"
