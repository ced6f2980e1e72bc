// What keeps the server steady under load: the fair password line, what waits for a peer behind,
// the choice of slow readers to drop, who gives his place when connections run short, the
// alarms of the epoll event loop this program runs on, and how much the bots may think.
#include "Alarme.h"
#include "ClienteTeste.h"
#include "EscolhaLentos.h"
#include "EsperarAte.h"
#include "FilaSenhas.h"
#include "FuncoesComuns.h"
#include "LacoEpoll.h"
#include "MesaDeJogo.h"
#include "OrcamentoRobos.h"
#include "ServidorTeste.h"
#include "Sessao.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <tuple>

class TstCarga : public QObject
{
    Q_OBJECT
private slots:
    // A refused card is answered with the turn as it stands; the clock plays a person's cards face
    // up, also where a bot throws one face down (this seed: her second).
    void recusaERelogio()
    {
        QByteArray ultima;
        QByteArrayList proprias;
        MesaDeJogo mesa({"ana", "b", "c", "d"}, {false, true, true, true},
                        {.atrasoRoboMs = 0,
                         .tempoJogadaS = 1,
                         .partida = {.semente = 6, .primeiro = 1},
                         .narrar = {}},
                        [&](int, const MensagemJogo& m) {
                            ultima = m.comando + ' ' + m.argumentos.join(' ');
                            if (ultima.startsWith("Carta 0 "))
                                proprias << m.argumentos[1];
                        });
        mesa.Comecar();
        ultima.clear();
        mesa.Receber(0, "Carta", {"0", "False"});
        QCOMPARE(ultima, "Setar Vez b");
        QTRY_VERIFY_WITH_TIMEOUT(proprias.size() >= 2 && !proprias.contains("0"), 5000);
    }

    // A crowd queues on one key, then someone else asks: served within one round, not after it.
    void filaJusta()
    {
        FilaSenhas fila(1);
        QStringList ordem;
        int fins = 0;
        for (int i = 0; i <= 30; ++i) {
            const QString chave = i < 30 ? "127.0.0.1\nalvo" : "127.0.0.1\npessoa";
            fila.Pedir(
                chave, [] { QThread::msleep(2); }, [&, chave] { ordem << chave, ++fins; });
        }
        QTRY_COMPARE_WITH_TIMEOUT(fins, 31, 10'000);
        QVERIFY2(ordem.indexOf("127.0.0.1\npessoa") <= 2, qPrintable(ordem.join(u',')));
    }

    // Beyond the limit the slowest go first, until half of it is left.
    void lentos()
    {
        const std::pair<std::vector<qint64>, std::vector<size_t>> casos[] = {
            {{40, 30, 30}, {}}, {{50, 60, 40, 5}, {1, 0}}, {{30, 30, 30, 30}, {0, 1, 2}}};
        for (const auto& [pendentes, derrubados] : casos)
            QCOMPARE(EscolherLentos(pendentes, 100), derrubados);
    }

    // A peer behind is owed the newest list of each kind, once, and the newest chat lines: what
    // waits for it does not grow with how often things changed.
    void quemEstaAtrasadoRecebeOUltimo()
    {
        QTcpServer escuta;
        ClienteTeste leitor;
        QVERIFY(escuta.listen(QHostAddress::LocalHost) && leitor.Conectar(escuta.serverPort()));
        QVERIFY(EsperarAte([&] { return escuta.hasPendingConnections(); }));
        Sessao s(1, escuta.nextPendingConnection(), [](Sessao&, const MensagemRecebida&) {});
        s.EnviarMensagem(MontarMensagem("jgInf", {QByteArray(32 * 1024, 'x')}));
        for (int i = 0; i < 1000; ++i) {
            const QByteArray n = QByteArray::number(i);
            for (const char* c : {"slInf", "hlInf"})
                s.EnviarMensagem(MontarMensagem(c, {n}));
            s.EnviarMensagem(MontarMensagem("slMsg", {"ana1", n.leftJustified(100)}));
        }
        QVERIFY(s.Pendente() < 2 * Sessao::kAtrasoConversa);
        QVERIFY(EsperarAte([&] {
            return leitor.NaoLidas("slMsg").size() > 0 &&
                   leitor.NaoLidas().last().Texto(2).startsWith("999 ");
        }));
        QCOMPARE(leitor.ComandosNaoLidos().count("jgInf"), 1);
        for (const char* c : {"slInf", "hlInf"})
            QCOMPARE(leitor.NaoLidas(c).size() == 1 ? leitor.NaoLidas(c)[0].Texto(1) : "", "999");
        const QList<MensagemTeste> linhas = leitor.NaoLidas("slMsg");
        QVERIFY(linhas.size() > 100 && linhas.size() < 1000);
        QCOMPARE(linhas[0].Texto(2).toInt(), 1000 - linhas.size());
    }

    // Short of connections, whoever has waited longest without logging in gives his place (a
    // person filling in the sign-up form is not thrown out for being slow); only when everyone
    // has logged in is a newcomer refused.
    void semVagaSaiQuemNaoEntrou()
    {
        ServidorTeste servidor([](Configuracao& c) { c.maxConexoes = 3; });
        ClienteTeste velho, novo, tarde;
        QVERIFY(velho.Conectar(servidor.Porta()) && velho.Sincronizar());
        auto ana = ClienteTeste::NoSaguao(servidor.Porta(), "ana1");
        auto bia = ClienteTeste::NoSaguao(servidor.Porta(), "bia1");
        QVERIFY(ana && bia);
        QVERIFY(novo.Conectar(servidor.Porta()) && novo.Sincronizar());
        QVERIFY(velho.EsperarDesconexao());
        QVERIFY(novo.CriarConta("novo1", "senha1") && novo.Logar("novo1", "senha1") == "novo1");
        QVERIFY(tarde.Conectar(servidor.Porta()) && tarde.EsperarDesconexao());
        QVERIFY(ana->Sincronizar() && bia->Sincronizar() && novo.Sincronizar());
    }

    // Two sockets ready in the same pass: whichever is handled first deletes the other, which must
    // then not be woken (the sanitizer build sees a use after free otherwise).
    void socketApagadoNaMesmaPassagem()
    {
        QTcpServer escuta;
        QVERIFY(escuta.listen(QHostAddress::LocalHost));
        connect(&escuta, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = escuta.nextPendingConnection())
                s->write("x");
        });
        QTcpSocket* s[2] = {new QTcpSocket, new QTcpSocket};
        int respostas = 0;
        for (int i = 0; i < 2; ++i) {
            connect(s[i], &QTcpSocket::readyRead, this, [&, i] {
                ++respostas;
                delete std::exchange(s[1 - i], nullptr);
            });
            s[i]->connectToHost(QHostAddress::LocalHost, escuta.serverPort());
        }
        QTRY_VERIFY(respostas > 0);
        QTest::qWait(50);
        QCOMPARE(respostas, 1);
        delete s[0];
        delete s[1];
    }

    // An alarm armed for "now" from inside an alarm waits for the next pass of the event loop:
    // a chain of bot moves at zero delay does not shut out the sockets.
    void alarmeEmCadeiaCedeAVez()
    {
        QString ordem;
        Alarme a([&] {
            if (ordem.isEmpty())
                QMetaObject::invokeMethod(
                    this, [&] { ordem += u'p'; }, Qt::QueuedConnection);
            ordem += u'a';
            if (ordem.count(u'a') < 5)
                a.Armar(0);
        });
        a.Armar(0);
        QTRY_COMPARE(ordem.count(u'a'), 5);
        QCOMPARE(ordem.left(2), "ap");
        // Re-armed before it rang, an alarm rings once, at its new time.
        int toques = 0;
        Alarme b([&] { ++toques; });
        b.Armar(10);
        b.Armar(40);
        QTRY_COMPARE(toques, 1);
        QTest::qWait(60);
        QCOMPARE(toques, 1);
    }

    // The bots' thinking: deep while the share of a core lasts, light once it is spent (a
    // decision that ran over leaves a debt), deep again when the clock has refilled it.
    void orcamentoDosRobos()
    {
        // Share of a core, ms spent, ms waited; deep at first, after spending, after waiting.
        const std::tuple<double, int, int, bool, bool, bool> casos[] = {
            {0.0, 0, 0, false, false, false},
            {1.0, 100, 0, true, true, true},
            {1.0, 300, 150, true, false, true},
            {0.1, 251, 60, true, false, true}};
        for (const auto& [parcela, gastoMs, esperaMs, antes, depois, refeito] : casos) {
            OrcamentoRobos o(parcela, 250);
            QCOMPARE(o.Profundo(), antes);
            o.Gastar(qint64(gastoMs) * 1'000'000);
            QCOMPARE(o.Profundo(), depois);
            QTest::qWait(esperaMs);
            QCOMPARE(o.Profundo(), refeito);
        }
    }
};

int main(int argc, char** argv)
{
    QCoreApplication::setEventDispatcher(new LacoEpoll);
    QCoreApplication app(argc, argv);
    TstCarga t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_carga.moc"
