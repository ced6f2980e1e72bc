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

    void terminaNoAlvo_data()
    {
        QTest::addColumn<QPointF>("inicio");
        QTest::addColumn<QPoint>("alvo");
        QTest::addColumn<int>("velocidade");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QPointF>("primeiroPasso"); // y grows downwards
        QTest::newRow("a propria posicao")
            << QPointF(4380, 5820) << QPoint(4380, 5820) << 300 << 1 << QPointF(4380, 5820);
        QTest::newRow("299 a 300 por tick")
            << QPointF(0, 0) << QPoint(299, 0) << 300 << 1 << QPointF(299, 0);
        QTest::newRow("300 a 300 por tick")
            << QPointF(0, 0) << QPoint(300, 0) << 300 << 2 << QPointF(300, 0);
        QTest::newRow("distancia nao multipla")
            << QPointF(0, 0) << QPoint(1000, 700) << 300 << 5 << QPointF(245.7696, 172.0387);
        QTest::newRow("carta jogada") << QPointF(4860, 5820) << QPoint(4170, 3780) << 300 << 8
                                      << QPointF(4763.8789, 5535.8159);
        // 0.5 is read as 0 (halves to even): 300 away, so one step before the end.
        QTest::newRow("meio arredonda ao par")
            << QPointF(0.5, 0) << QPoint(300, 0) << 300 << 2 << QPointF(300.5, 0);
        QTest::newRow("velocidade zero")
            << QPointF(0, 0) << QPoint(900, 900) << 0 << 1 << QPointF(900, 900);
        QTest::newRow("velocidade negativa")
            << QPointF(0, 0) << QPoint(900, 900) << -15 << 1 << QPointF(900, 900);
    }

    void terminaNoAlvo()
    {
        QFETCH(QPointF, inicio);
        QFETCH(QPoint, alvo);
        QFETCH(int, velocidade);
        QFETCH(int, ticks);
        QFETCH(QPointF, primeiroPasso);
        CaixaFigura* c = Caixa(inicio.x(), inicio.y());
        movimentos->Mover(c, alvo.x(), alvo.y(), qint16(velocidade), QStringLiteral("A"));
        QVERIFY(movimentos->tmTimer()->isActive());
        movimentos->Tick();
        QVERIFY((QPointF(c->Left(), c->Top()) - primeiroPasso).manhattanLength() < 1e-3);
        QCOMPARE(c->Left(), double(float(c->Left()))); // single precision
        int n = 1;
        for (; movimentos->Count() > 0 && n < 100; ++n)
            movimentos->Tick();
        QCOMPARE(n, ticks);
        QCOMPARE(QPointF(c->Left(), c->Top()), QPointF(alvo));
        QVERIFY(!movimentos->tmTimer()->isActive());
    }

    void esperas_data()
    {
        QTest::addColumn<QStringList>("moves");   // "grupo/aguardar/distancia", in order
        QTest::addColumn<QList<int>>("estados");  // after Mover
        QTest::addColumn<QList<int>>("aposTick"); // after one tick, -1 for ended
        QTest::newRow("sem espera")
            << QStringList{"A//9000", "B//9000"} << QList<int>{2, 2} << QList<int>{2, 2};
        QTest::newRow("grupo vazio")
            << QStringList{"A//9000", "B/X/9000"} << QList<int>{2, 2} << QList<int>{2, 2};
        QTest::newRow("um de dois acaba") << QStringList{"A//100", "A//9000", "B/A/9000"}
                                          << QList<int>{2, 2, 1} << QList<int>{-1, 2, 2};
        QTest::newRow("o proprio grupo")
            << QStringList{"A//100", "A/A/9000"} << QList<int>{2, 1} << QList<int>{-1, 2};
        QTest::newRow("so no proprio grupo")
            << QStringList{"A/A/100"} << QList<int>{1} << QList<int>{1};
        // Each end starts the next move, which comes later in the list: all in one tick.
        QTest::newRow("corrente") << QStringList{"A//100", "B/A/100", "C/B/9000"}
                                  << QList<int>{2, 1, 1} << QList<int>{-1, -1, 2};
    }

    void esperas()
    {
        QFETCH(QStringList, moves);
        QFETCH(QList<int>, estados);
        QFETCH(QList<int>, aposTick);
        QList<CaixaFigura*> caixas;
        for (const QString& m : moves) {
            const QStringList p = m.split('/');
            caixas.append(Caixa(0));
            movimentos->Mover(caixas.back(), p[2].toInt(), 0, 300, p[0], p[1]);
        }
        for (int i = 0; i < moves.size(); ++i)
            QCOMPARE(movimentos->Item(i + 1).Estado, estados[i]);
        QCOMPARE(movimentos->tmTimer()->isActive(), estados.contains(2));
        QCOMPARE(movimentos->Count(QStringLiteral("X")), 0);
        QCOMPARE(movimentos->Count(), moves.size());

        movimentos->Tick();
        QList<int> depois;
        for (CaixaFigura* c : caixas) {
            int e = -1;
            for (const MovePB& m : *movimentos)
                e = m.PictureBox == c ? m.Estado : e;
            depois.append(e);
        }
        QCOMPARE(depois, aposTick);
        qint32 indice = 0;
        for (const MovePB& m : *movimentos)
            QCOMPARE(m.Index, ++indice);
    }

    // The end is announced after the moves it released have started; the timer stops with the
    // last move and starts again with the next.
    void sinalETimer()
    {
        QTimer* t = janela->findChild<QTimer*>(QStringLiteral("MovePBsTimer"));
        QVERIFY(t == movimentos->tmTimer() && t->interval() == 30 && !t->isActive());
        CaixaFigura* c = Caixa(0);
        movimentos->Mover(c, 100, 0, 300, QStringLiteral("A"));
        movimentos->Mover(Caixa(0), 9000, 0, 300, QStringLiteral("B"), QStringLiteral("A"));
        QSignalSpy espiao(movimentos.get(), &MovePBs::MovimentoConcluido);
        QList<int> estadosNoSinal;
        const auto ligacao = connect(movimentos.get(), &MovePBs::MovimentoConcluido, this,
                                     [&] { estadosNoSinal.append(movimentos->Item(1).Estado); });
        movimentos->Tick();
        disconnect(ligacao);
        QCOMPARE(espiao.size(), 1);
        QCOMPARE(espiao.at(0).at(0).toString(), QStringLiteral("A"));
        QCOMPARE(estadosNoSinal, QList<int>{2});
        movimentos->Remove(1);
        QVERIFY(!t->isActive());
        movimentos->Mover(c, 400, 0, 300, QStringLiteral("A"));
        QVERIFY(t->isActive());
        QTRY_COMPARE(movimentos->Count(), 0); // the timer's own ticks
        QVERIFY(!t->isActive());
        movimentos.reset();
        QVERIFY(!janela->findChild<QTimer*>(QStringLiteral("MovePBsTimer")));
        QCOMPARE(c->Left(), 400.0);
    }

    // A box deleted while it moves ends its move instead of holding its group.
    void caixaApagada()
    {
        CaixaFigura* c = Caixa(0);
        movimentos->Mover(c, 9000, 0, 300, QStringLiteral("A"));
        delete c;
        movimentos->Tick();
        QCOMPARE(movimentos->Count(QStringLiteral("A")), 0);
    }
};

QTEST_MAIN(TstMovePBs)
#include "tst_movepbs.moc"
