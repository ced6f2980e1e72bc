#include "CaixaFigura.h"
#include "MovePBs.h"
#include "modMovePB.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <climits>

class TstMovePBs : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> janela;
    std::unique_ptr<MovePBs> movimentos;

    CaixaFigura* Caixa(double left, double top)
    {
        auto* c = new CaixaFigura(janela.get());
        c->SetPosicao(left, top);
        return c;
    }

    // Ticks until nothing is left to move, at most 100.
    int TicksAteOFim()
    {
        int ticks = 0;
        while (movimentos->Count() > 0 && ticks < 100) {
            movimentos->Tick();
            ++ticks;
        }
        return ticks;
    }

private slots:
    void init()
    {
        janela = std::make_unique<QWidget>();
        movimentos = std::make_unique<MovePBs>(janela.get());
    }

    void cleanup()
    {
        movimentos.reset();
        janela.reset();
    }

    void anguloEDistancia_data()
    {
        QTest::addColumn<QList<int>>("pontos");
        QTest::addColumn<double>("angulo");
        QTest::addColumn<double>("distancia");
        QTest::newRow("direita") << QList<int>{0, 0, 10, 0} << 0.0 << 10.0;
        QTest::newRow("esquerda") << QList<int>{0, 0, -10, 0} << 180.0 << 10.0;
        QTest::newRow("acima") << QList<int>{0, 10, 0, 0} << 90.0 << 10.0;
        QTest::newRow("abaixo") << QList<int>{0, 0, 0, 10} << 270.0 << 10.0;
        QTest::newRow("acima e a direita") << QList<int>{0, 0, 3, -3} << 45.0 << std::sqrt(18.0);
        QTest::newRow("abaixo e a esquerda") << QList<int>{0, 0, -4, 3} << 270 - 53.130102 << 5.0;
        QTest::newRow("mesmo ponto") << QList<int>{7, 7, 7, 7} << 0.0 << 0.0;
        QTest::newRow("extremos") << QList<int>{INT_MIN, 0, INT_MAX, 0} << 0.0 << 4294967295.0;
    }

    void anguloEDistancia()
    {
        QFETCH(QList<int>, pontos);
        QFETCH(double, angulo);
        QFETCH(double, distancia);
        QVERIFY(std::abs(modMovePB::Angulo(pontos[0], pontos[1], pontos[2], pontos[3]) - angulo) <
                1e-5);
        QCOMPARE(modMovePB::Distancia(pontos[0], pontos[1], pontos[2], pontos[3]), distancia);
    }

    void movimentoTerminaNoAlvo_data()
    {
        QTest::addColumn<QPointF>("inicio");
        QTest::addColumn<QPoint>("alvo");
        QTest::addColumn<int>("velocidade");
        QTest::addColumn<int>("ticks");
        QTest::newRow("a propria posicao") << QPointF(4380, 5820) << QPoint(4380, 5820) << 300 << 1;
        QTest::newRow("299 a 300 por tick") << QPointF(0, 0) << QPoint(299, 0) << 300 << 1;
        QTest::newRow("300 a 300 por tick") << QPointF(0, 0) << QPoint(300, 0) << 300 << 2;
        QTest::newRow("distancia nao multipla") << QPointF(0, 0) << QPoint(1000, 700) << 300 << 5;
        QTest::newRow("carta jogada") << QPointF(4860, 5820) << QPoint(4170, 3780) << 300 << 8;
        // 0.5 is read as 0 (halves to even): 300 away, so one step before the end.
        QTest::newRow("meio arredonda ao par") << QPointF(0.5, 0) << QPoint(300, 0) << 300 << 2;
        QTest::newRow("velocidade zero") << QPointF(0, 0) << QPoint(900, 900) << 0 << 1;
        QTest::newRow("velocidade negativa") << QPointF(0, 0) << QPoint(900, 900) << -15 << 1;
    }

    void movimentoTerminaNoAlvo()
    {
        QFETCH(QPointF, inicio);
        QFETCH(QPoint, alvo);
        QFETCH(int, velocidade);
        QFETCH(int, ticks);
        CaixaFigura* c = Caixa(inicio.x(), inicio.y());
        movimentos->Mover(c, alvo.x(), alvo.y(), qint16(velocidade), QStringLiteral("A"));
        QVERIFY(movimentos->tmTimer()->isActive());
        QCOMPARE(TicksAteOFim(), ticks);
        QCOMPARE(QPointF(c->Left(), c->Top()), QPointF(alvo));
        QCOMPARE(c->pos(), alvo / 15);
        QVERIFY(!movimentos->tmTimer()->isActive());
    }

    // The line is fixed at the start, y grows downwards, positions are single precision.
    void passoSegueALinha()
    {
        CaixaFigura* c = Caixa(0, 0);
        movimentos->Mover(c, 1000, 700, 300, QStringLiteral("A"));
        movimentos->Tick();
        QVERIFY(std::abs(c->Left() - 245.7696) < 1e-3);
        QVERIFY(std::abs(c->Top() - 172.0387) < 1e-3);
        QCOMPARE(c->Left(), double(float(c->Left())));
        movimentos->Tick();
        QVERIFY(std::abs(c->Left() - 491.5391) < 1e-3);
    }

    void esperas_data()
    {
        QTest::addColumn<QStringList>("grupos"); // "grupo/aguardar/distancia", in order
        QTest::addColumn<QList<int>>("estados"); // each move's state after Mover
        QTest::addColumn<QList<int>>("aposTick"); // and after one tick (-1 ended)
        QTest::newRow("sem espera comeca ja")
            << QStringList{"A//9000", "B//9000"} << QList<int>{2, 2} << QList<int>{2, 2};
        QTest::newRow("espera grupo vazio") << QStringList{"A//9000", "B/X/9000"}
                                            << QList<int>{2, 2} << QList<int>{2, 2};
        QTest::newRow("comeca quando um de dois acaba")
            << QStringList{"A//100", "A//9000", "B/A/9000"} << QList<int>{2, 2, 1}
            << QList<int>{-1, 2, 2};
        QTest::newRow("esperando o proprio grupo")
            << QStringList{"A//100", "A/A/9000"} << QList<int>{2, 1} << QList<int>{-1, 2};
        QTest::newRow("sozinho no proprio grupo")
            << QStringList{"A/A/100"} << QList<int>{1} << QList<int>{1};
        QTest::newRow("corrente") << QStringList{"A//100", "B/A/100", "C/B/9000"}
                                  << QList<int>{2, 1, 1} << QList<int>{-1, -1, 2};
    }

    void esperas()
    {
        QFETCH(QStringList, grupos);
        QFETCH(QList<int>, estados);
        QFETCH(QList<int>, aposTick);
        QList<CaixaFigura*> caixas;
        QList<MovePB*> moves;
        for (const QString& g : grupos) {
            const QStringList p = g.split('/');
            caixas.append(Caixa(0, 0));
            movimentos->Mover(caixas.back(), p[2].toInt(), 0, 300, p[0], p[1]);
            moves.append(&movimentos->Item(movimentos->Count()));
            QCOMPARE(moves.back()->Index, movimentos->Count());
        }
        for (int i = 0; i < moves.size(); ++i)
            QCOMPARE(moves[i]->Estado, estados[i]);
        QCOMPARE(movimentos->tmTimer()->isActive(), estados.contains(2));
        QCOMPARE(movimentos->Count(QStringLiteral("desconhecido")), 0);
        QCOMPARE(movimentos->Count(), qint32(grupos.size()));

        movimentos->Tick();
        int i = 0;
        for (const MovePB& m : *movimentos) {
            while (aposTick[i] == -1)
                ++i;
            QCOMPARE(m.Estado, aposTick[i]);
            QCOMPARE(m.PictureBox, caixas[i]);
            // A move that started in this tick took its first step in it.
            QCOMPARE(caixas[i]->Left(), m.Estado == 2 ? 300.0 : 0.0);
            ++i;
        }
        QCOMPARE(movimentos->Count(), qint32(aposTick.size() - aposTick.count(-1)));
        qint32 indice = 0;
        for (const MovePB& m : *movimentos)
            QCOMPARE(m.Index, ++indice);
    }

    // The end of a move is announced after the moves it released have started.
    void sinalAposOsRecomecos()
    {
        movimentos->Mover(Caixa(0, 0), 100, 0, 300, QStringLiteral("A"));
        movimentos->Mover(Caixa(0, 0), 9000, 0, 300, QStringLiteral("B"), QStringLiteral("A"));
        QSignalSpy espiao(movimentos.get(), &MovePBs::MovimentoConcluido);
        QList<int> estadosNoSinal;
        connect(movimentos.get(), &MovePBs::MovimentoConcluido, this,
                [&] { estadosNoSinal.append(movimentos->Item(1).Estado); });
        movimentos->Tick();
        QCOMPARE(espiao.size(), 1);
        QCOMPARE(espiao.at(0).at(0).toString(), QStringLiteral("A"));
        QCOMPARE(estadosNoSinal, QList<int>{2});
        QCOMPARE(movimentos->Count(QStringLiteral("A")), 0);
    }

    void timerSoQuandoAlgoSeMove()
    {
        QTimer* t = janela->findChild<QTimer*>(QStringLiteral("MovePBsTimer"));
        QCOMPARE(t, movimentos->tmTimer());
        QCOMPARE(t->interval(), 30);
        QVERIFY(!t->isActive());
        CaixaFigura* c = Caixa(0, 0);
        movimentos->Mover(c, 0, 0, 300, QStringLiteral("A"));
        QVERIFY(t->isActive());
        movimentos->Tick();
        QVERIFY(!t->isActive());
        movimentos->Mover(c, 600, 0, 300, QStringLiteral("A"));
        QVERIFY(t->isActive());
        // Ticks come from the timer itself too.
        QTRY_COMPARE(movimentos->Count(), 0);
        QVERIFY(!t->isActive());
        movimentos.reset();
        QVERIFY(!janela->findChild<QTimer*>(QStringLiteral("MovePBsTimer")));
        QCOMPARE(c->Left(), 600.0);
    }

    // A box deleted while it moves ends its move instead of holding its group.
    void caixaApagadaDuranteOMovimento()
    {
        CaixaFigura* c = Caixa(0, 0);
        movimentos->Mover(c, 9000, 0, 300, QStringLiteral("A"));
        delete c;
        movimentos->Tick();
        QCOMPARE(movimentos->Count(QStringLiteral("A")), 0);
    }
};

QTEST_MAIN(TstMovePBs)
#include "tst_movepbs.moc"
