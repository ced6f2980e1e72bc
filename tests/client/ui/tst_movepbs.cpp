#include "CaixaFigura.h"
#include "MovePBs.h"

#include <QSignalSpy>
#include <QTest>

class TstMovePBs : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> janela;
    std::unique_ptr<MovePBs> movimentos;

    CaixaFigura* Caixa(double left, double top = 0)
    {
        auto* c = new CaixaFigura(janela.get());
        c->SetPosicao(left, top);
        return c;
    }

private slots:
    void init()
    {
        janela = std::make_unique<QWidget>();
        movimentos = std::make_unique<MovePBs>(janela.get());
    }

    void terminaNoAlvo()
    {
        const struct
        {
            QPointF inicio;
            QPoint alvo;
            qint16 velocidade;
            int ticks;
            QPointF primeiroPasso;                                    // y grows downwards
        } casos[]{{{4380, 5820}, {4380, 5820}, 300, 1, {4380, 5820}}, // its own position
                  {{0, 0}, {299, 0}, 300, 1, {299, 0}},
                  {{0, 0}, {300, 0}, 300, 2, {300, 0}},
                  {{0, 0}, {406, 803}, 300, 4, {135.3630, 267.7253}}, // the margin's step
                  {{0.5, 0}, {300, 0}, 300, 2, {300.5, 0}}, // 0.5 is read as 0 (halves to even)
                  {{0, 0}, {900, 900}, 0, 1, {900, 900}},
                  {{0, 0}, {900, 900}, -15, 1, {900, 900}}};
        for (const auto& k : casos) {
            CaixaFigura* c = Caixa(k.inicio.x(), k.inicio.y());
            movimentos->Mover(c, k.alvo.x(), k.alvo.y(), k.velocidade, QStringLiteral("A"));
            QVERIFY(movimentos->tmTimer()->isActive());
            movimentos->Tick();
            QVERIFY((QPointF(c->Left(), c->Top()) - k.primeiroPasso).manhattanLength() < 1e-3);
            QCOMPARE(c->Left(), double(float(c->Left()))); // single precision
            int n = 1;
            for (; movimentos->Count() > 0 && n < 100; ++n)
                movimentos->Tick();
            QCOMPARE(n, k.ticks);
            QCOMPARE(QPointF(c->Left(), c->Top()), QPointF(k.alvo));
            QVERIFY(!movimentos->tmTimer()->isActive());
        }
    }

    // Moves "grupo/aguardar/distancia" in order; their states after Mover, then after one tick
    // (-1 ended).
    void esperas()
    {
        const struct
        {
            QStringList moves;
            QList<int> estados, aposTick;
        } casos[]{{{"A//9000", "B/X/9000"}, {2, 2}, {2, 2}}, // an empty group is not waited for
                  {{"A//100", "A//9000", "B/A/9000"}, {2, 2, 1}, {-1, 2, 2}},
                  {{"A//100", "A/A/9000"}, {2, 1}, {-1, 2}},
                  {{"A/A/100"}, {1}, {1}},
                  // Each end starts the next move, later in the list: all in one tick.
                  {{"A//100", "B/A/100", "C/B/9000"}, {2, 1, 1}, {-1, -1, 2}}};
        for (const auto& k : casos) {
            movimentos.reset();
            init();
            QList<CaixaFigura*> caixas;
            for (const QString& m : k.moves) {
                const QStringList p = m.split('/');
                caixas.append(Caixa(0));
                movimentos->Mover(caixas.back(), p[2].toInt(), 0, 300, p[0], p[1]);
            }
            for (int i = 0; i < k.moves.size(); ++i)
                QCOMPARE(movimentos->Item(i + 1).Estado, k.estados[i]);
            QCOMPARE(movimentos->tmTimer()->isActive(), k.estados.contains(2));
            QCOMPARE(movimentos->Count(), k.moves.size());
            movimentos->Tick();
            QList<int> depois;
            for (CaixaFigura* c : caixas) {
                int e = -1;
                for (const MovePB& m : *movimentos)
                    e = m.PictureBox == c ? m.Estado : e;
                depois.append(e);
            }
            QCOMPARE(depois, k.aposTick);
            qint32 indice = 0;
            for (const MovePB& m : *movimentos)
                QCOMPARE(m.Index, ++indice);
        }
    }

    // The end is announced after the moves it released have started; the timer stops with the
    // last move and starts again with the next.
    void sinalETimer()
    {
        QTimer* t = movimentos->tmTimer();
        QVERIFY(t->interval() == 30 && !t->isActive());
        CaixaFigura* c = Caixa(0);
        movimentos->Mover(c, 100, 0, 300, QStringLiteral("A"));
        movimentos->Mover(Caixa(0), 9000, 0, 300, QStringLiteral("B"), QStringLiteral("A"));
        QSignalSpy espiao(movimentos.get(), &MovePBs::MovimentoConcluido);
        QList<int> estadosNoSinal;
        const auto ligacao = connect(movimentos.get(), &MovePBs::MovimentoConcluido, this,
                                     [&] { estadosNoSinal.append(movimentos->Item(1).Estado); });
        movimentos->Tick();
        disconnect(ligacao);
        QVERIFY(espiao.size() == 1 && espiao[0][0].toString() == "A");
        QCOMPARE(estadosNoSinal, QList<int>{2});
        movimentos->Remove(1);
        QVERIFY(!t->isActive());
        movimentos->Mover(c, 400, 0, 300, QStringLiteral("A"));
        QVERIFY(t->isActive());
        QTRY_COMPARE(movimentos->Count(), 0); // the timer's own ticks
        QVERIFY(!t->isActive());
        QCOMPARE(c->Left(), 400.0);
    }
};

QTEST_MAIN(TstMovePBs)
#include "tst_movepbs.moc"
