#include "Bancada.h"
#include "Espera.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The connection's loss and the close that ends the program; the program's terminal options.
class TstConexao : public QObject
{
    Q_OBJECT

private slots:
    // Help and version are answered on the terminal, wherever they stand in the command line.
    void ajudaEVersaoNoTerminal()
    {
        using Caso = std::pair<QStringList, QByteArray>;
        for (const auto& [argumentos, inicio] :
             {Caso{{"--help"}, "Uso: quarpel"}, Caso{{"servidor", "x", "-v"}, "Quarpel "}}) {
            QProcess p;
            p.start(QUARPEL_CLIENTE, argumentos);
            QVERIFY(p.waitForFinished(5000) && p.exitCode() == 0);
            QVERIFY(p.readAllStandardOutput().startsWith(inicio));
        }
    }

    // Lost while a reaction shows its box, the connection is reported once that pass ends.
    void perdidaDuranteUmaCaixa()
    {
        Bancada b;
        QVERIFY(b.cliente);
        b.caixas.aoMostrar = [&](const Caixas::Caixa& c) {
            if (c.texto != "A")
                return;
            b.servidor.Conexao()->abort();
            QVERIFY(QTest::qWaitFor(
                [&] { return b.cliente->Sock->state() == QAbstractSocket::UnconnectedState; }));
            QVERIFY(!Espera::Encerrando());
        };
        b.servidor.Enviar(Msg("erCNC", {"A"}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(b.caixas.Textos(), (QStringList{"A", "Conexão com o servidor perdida."}));
    }

    // Closing under a wait that nothing else would end leaves the program's loop, even with
    // another window open, and is not a lost connection.
    void fecharEncerraOLacoDoPrograma()
    {
        Bancada b;
        QVERIFY(b.cliente);
        b.cliente->show();
        QWidget outra;
        outra.show();
        bool esperaTerminou = false;
        QTimer::singleShot(0, b.cliente.get(), [&] {
            QTimer::singleShot(0, b.cliente->btFechar, &QPushButton::click);
            Espera::Aguardar([] { return false; });
            esperaTerminou = true;
        });
        QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(esperaTerminou && !b.cliente->isVisible());
        QVERIFY(b.caixas.lista.isEmpty());
    }
};

QTEST_MAIN(TstConexao)
#include "tst_conexao.moc"
