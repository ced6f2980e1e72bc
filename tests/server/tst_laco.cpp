// The server's machinery under load: its epoll event loop, the tables' shared alarms and the
// writer that commits new accounts in groups.
#include "Alarme.h"
#include "BancoContas.h"
#include "ClienteTeste.h"
#include "FuncoesComuns.h"
#include "GravadorContas.h"
#include "LacoEpoll.h"
#include "ServidorTeste.h"

#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

class TstLaco : public QObject
{
    Q_OBJECT
private slots:
    // This program runs on LacoEpoll: a chat line reaches everybody, and a socket deleted by the
    // handler of another that was ready in the same pass is not woken.
    void servidorNoLacoEpoll()
    {
        ServidorTeste servidor;
        std::vector<std::unique_ptr<ClienteTeste>> cs;
        for (int i = 0; i < 25; ++i) {
            cs.push_back(ClienteTeste::NoSaguao(servidor.Porta(), QString("jogador%1").arg(i)));
            QVERIFY(cs.back());
        }
        cs.front()->EnviarTextos("slBla", {"oi a todos"});
        for (auto& c : cs)
            QCOMPARE(c->Esperar("slMsg")->Texto(2), "oi a todos");

        // Whichever answer is handled first deletes the other socket, ready in the same pass.
        QTcpSocket* s[2] = {new QTcpSocket, new QTcpSocket};
        int respostas = 0;
        for (int i = 0; i < 2; ++i) {
            connect(s[i], &QTcpSocket::readyRead, this, [&, i] {
                ++respostas;
                delete std::exchange(s[1 - i], nullptr);
            });
            s[i]->connectToHost(QHostAddress::LocalHost, servidor.Porta());
            QVERIFY(s[i]->waitForConnected());
        }
        for (QTcpSocket* x : s)
            x->write(MontarMensagem("obVer", {}));
        QTRY_VERIFY(respostas > 0);
        QTest::qWait(50);
        QCOMPARE(respostas, 1);
        delete s[0];
        delete s[1];
    }

    void alarmes_data()
    {
        QTest::addColumn<QList<int>>("ms");   // alarms a, b, c armed in this order
        QTest::addColumn<QString>("rearmar"); // then these armed again, same delay
        QTest::addColumn<QString>("parar");   // and these stopped
        QTest::addColumn<QString>("esperada");
        QTest::newRow("por prazo") << QList<int>{30, 5, 15} << ""
                                   << ""
                                   << "bca";
        QTest::newRow("mesmo prazo: ordem de armar") << QList<int>{5, 5, 5} << ""
                                                     << ""
                                                     << "abc";
        QTest::newRow("rearmado vai para trás") << QList<int>{5, 5, 5} << "a"
                                                << ""
                                                << "bca";
        QTest::newRow("parado não toca") << QList<int>{5, 5, 15} << ""
                                         << "ba"
                                         << "c";
    }

    void alarmes()
    {
        QFETCH(QList<int>, ms);
        QFETCH(QString, rearmar);
        QFETCH(QString, parar);
        QString ordem;
        std::vector<std::unique_ptr<Alarme>> as;
        for (int i = 0; i < ms.size(); ++i) {
            as.push_back(std::make_unique<Alarme>([&ordem, i] { ordem += QChar('a' + i); }));
            as.back()->Armar(ms[i]);
        }
        for (QChar c : rearmar)
            as[c.unicode() - 'a']->Armar(ms[c.unicode() - 'a']);
        for (QChar c : parar)
            as[c.unicode() - 'a']->Parar();
        QFETCH(QString, esperada);
        QTRY_COMPARE_WITH_TIMEOUT(ordem.size(), esperada.size(), 5000);
        QTest::qWait(40); // one that should not ring would have by now
        QCOMPARE(ordem, esperada);
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
    }

    void gravadorAvisaDepoisDoCommit_data()
    {
        QTest::addColumn<QStringList>("logins");
        QTest::addColumn<QString>("esperado"); // C: created, E: login taken
        QTest::newRow("uma") << QStringList{"ana"} << "C";
        QTest::newRow("grupo com repetido") << QStringList{"ana", "bia", "ANA", "caio"} << "CCEC";
        QTest::newRow("já existente") << QStringList{"velho", "novo"} << "EC";
    }

    // Each answer comes after its commit: another connection already sees the account then.
    void gravadorAvisaDepoisDoCommit()
    {
        QFETCH(QStringList, logins);
        QTemporaryDir pasta;
        BancoContas outro;
        QString erro;
        QVERIFY2(outro.Abrir(pasta.path(), &erro), qPrintable(erro));
        QCOMPARE(outro.Criar({0, "velho", "Velho", "v@q.br", "hash", {}}),
                 BancoContas::Criacao::Criada);
        QString resultado(logins.size(), u'?');
        {
            GravadorContas gravador(pasta.path());
            for (int i = 0; i < logins.size(); ++i) {
                gravador.Criar({0, logins[i], "Nome", "e@q.br", "hash", {}}, this,
                               [&, i](BancoContas::Criacao r) {
                                   resultado[i] = r == BancoContas::Criacao::Criada       ? u'C'
                                                  : r == BancoContas::Criacao::LoginEmUso ? u'E'
                                                                                          : u'F';
                                   if (!outro.Buscar(logins[i]))
                                       resultado[i] = u'X';
                               });
            }
            QTRY_VERIFY(!resultado.contains(u'?'));
        }
        QTEST(resultado, "esperado");
    }
};

int main(int argc, char** argv)
{
    QCoreApplication::setEventDispatcher(new LacoEpoll);
    QCoreApplication app(argc, argv);
    TstLaco t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_laco.moc"
