// What keeps the server steady under load: the table's timers, the fair password line and the
// choice of slow readers to drop.
#include "EscolhaLentos.h"
#include "FilaSenhas.h"
#include "MesaDeJogo.h"
#include "VerificadorJogo.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QTest>
#include <deque>

// Qt's object hooks: slots 3 and 4 are called for every QObject made and destroyed. A timer that
// nobody cancels stays alive as an object until it fires.
extern quintptr qtHookData[];
static int g_objetos = 0;

class TstCarga : public QObject
{
    Q_OBJECT
private slots:
    void relogioSemSobras_data()
    {
        QTest::addColumn<int>("pessoas");
        QTest::addColumn<int>("atrasoRoboMs");
        QTest::newRow("uma pessoa, robôs sem pausa") << 1 << 0;
        QTest::newRow("uma pessoa, robôs com pausa") << 1 << 1;
        QTest::newRow("quatro pessoas") << 4 << 0;
    }

    // A whole game with a 60 s turn clock: the objects alive are those of the start, not one per turn.
    void relogioSemSobras()
    {
        QFETCH(int, pessoas);
        QFETCH(int, atrasoRoboMs);
        std::array<QString, 4> logins{"ana", "bruno", "carla", "davi"};
        std::array<bool, 4> robos{};
        std::array<std::unique_ptr<VerificadorJogo>, 4> jogadores;
        for (int j = pessoas; j < 4; ++j)
            robos[j] = true, logins[j] = QStringLiteral("Robô %1").arg(j + 1);
        for (int j = 0; j < 4; ++j)
            jogadores[j] = std::make_unique<VerificadorJogo>(j, logins);
        MesaDeJogo::Opcoes o;
        o.atrasoRoboMs = atrasoRoboMs;
        o.tempoJogadaS = 60;
        o.partida.semente = 7;
        std::deque<std::pair<int, MensagemJogo>> fila;
        MesaDeJogo mesa(logins, robos, o,
                        [&](int j, const MensagemJogo& m) { fila.emplace_back(j, m); });
        bool terminou = false;
        connect(&mesa, &MesaDeJogo::Terminou, this, [&] { terminou = true; });

        qtHookData[3] = reinterpret_cast<quintptr>(+[](QObject*) { ++g_objetos; });
        qtHookData[4] = reinterpret_cast<quintptr>(+[](QObject*) { --g_objetos; });
        g_objetos = 0;
        int lances = 0, pico = 0;
        mesa.Comecar();
        QElapsedTimer t;
        t.start();
        while (!terminou && t.elapsed() < 20'000) {
            while (!fila.empty()) {
                auto [j, m] = fila.front();
                fila.pop_front();
                if (auto r = jogadores[j]->Receber(m.comando, m.argumentos)) {
                    ++lances;
                    mesa.Receber(j, r->comando, r->argumentos);
                }
            }
            pico = std::max(pico, g_objetos);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        qtHookData[3] = qtHookData[4] = 0;
        QVERIFY(terminou);
        QVERIFY2(lances > 20, qPrintable(QString::number(lances)));
        QVERIFY2(pico <= 2, qPrintable(QStringLiteral("%1 objetos, %2 lances").arg(pico).arg(lances)));
    }

    void filaJusta_data()
    {
        QTest::addColumn<int>("trabalhadores");
        QTest::addColumn<int>("daMultidao");
        QTest::newRow("um trabalhador") << 1 << 30;
        QTest::newRow("dois trabalhadores") << 2 << 30;
    }

    // A crowd queues on one key, then someone else asks: served within one round, not after it.
    void filaJusta()
    {
        QFETCH(int, trabalhadores);
        QFETCH(int, daMultidao);
        FilaSenhas fila(trabalhadores);
        QMutex trava;
        QStringList ordem;
        int fins = 0;
        const auto pedir = [&](const QString& chave) {
            fila.Pedir(
                chave,
                [&, chave] {
                    QThread::msleep(2);
                    QMutexLocker l(&trava);
                    ordem << chave;
                },
                [&] { ++fins; });
        };
        for (int i = 0; i < daMultidao; ++i)
            pedir(QStringLiteral("127.0.0.1\nalvo"));
        pedir(QStringLiteral("127.0.0.1\npessoa"));
        QTRY_COMPARE_WITH_TIMEOUT(fins, daMultidao + 1, 10'000);
        QVERIFY2(ordem.indexOf(QStringLiteral("127.0.0.1\npessoa")) <= trabalhadores + 1,
                 qPrintable(ordem.join(u',')));
    }

    void lentos_data()
    {
        QTest::addColumn<std::vector<qint64>>("pendentes");
        QTest::addColumn<qint64>("limite");
        QTest::addColumn<std::vector<size_t>>("derrubados");
        QTest::newRow("no limite")
            << std::vector<qint64>{40, 30, 30} << qint64(100) << std::vector<size_t>{};
        QTest::newRow("o mais lento basta")
            << std::vector<qint64>{10, 90, 20} << qint64(100) << std::vector<size_t>{1};
        QTest::newRow("até a metade do limite")
            << std::vector<qint64>{50, 60, 40, 5} << qint64(100) << std::vector<size_t>{1, 0};
        QTest::newRow("todos lentos iguais")
            << std::vector<qint64>{30, 30, 30, 30} << qint64(100) << std::vector<size_t>{0, 1, 2};
    }

    // Beyond the limit the slowest go first, until half of it is left.
    void lentos()
    {
        QFETCH(std::vector<qint64>, pendentes);
        QFETCH(qint64, limite);
        QFETCH(std::vector<size_t>, derrubados);
        QCOMPARE(EscolherLentos(pendentes, limite), derrubados);
    }
};

QTEST_GUILESS_MAIN(TstCarga)
#include "tst_carga.moc"
