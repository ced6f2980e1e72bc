#include "Bancada.h"
#include "Espera.h"
#include "TelaLogin.h"
#include "TelaSalas.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

// The connection: its loss, the waits that give up on it, the close that ends the program; the
// program's terminal options.
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
        QTRY_COMPARE_WITH_TIMEOUT(b.caixas.Textos(),
                                  (QStringList{"A", "Conexão com o servidor perdida."}), 10000);
    }

    // Lost, or given up by a wait (a late answer would hold the login), the connection goes with
    // all its stream: the player is back at the login screen with his login, and the next OK
    // connects again. Rows: the login, entering a room, the server's close after half a message.
    void semConexaoTentaDeNovo()
    {
        for (int caso = 0; caso < 3; ++caso) {
            Espera::SetLimite(std::chrono::milliseconds(50));
            Bancada b;
            QVERIFY(b.cliente);
            frmCliente& c = *b.cliente;
            QVERIFY(b.Receber(Msg("Setar", {"Login", "Ana"}) + Msg("Setar", {"Vez", "ana"})));
            c.frLogin->txLgLogin->setText("ana");
            c.frLogin->txLgSenha->setText("s");
            c.MudarFrame(caso == 0 ? static_cast<QWidget*>(c.frLogin) : c.frSalas);
            c.frSalas->ltSlSalas->setCurrentItem(new QTreeWidgetItem(c.frSalas->ltSlSalas, {"M"}));
            b.servidor.Enviar(caso == 2 ? Msg("slMsg", {"bia", "oi"}).left(12) : QByteArray());
            caso == 2 ? b.servidor.Fechar()
                      : (caso ? c.frSalas->btSlEntrar : c.frLogin->btLgOK)->click();
            QTRY_COMPARE(b.caixas.Textos().join(""),
                         caso == 2 ? "Conexão com o servidor perdida." : Espera::kSemResposta);
            QVERIFY(c.FrameAtual == c.frLogin &&
                    c.frLogin->txLgLogin->text() == (caso ? "Ana" : "ana"));
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.Variaveis("Vez"));
            QTRY_COMPARE(b.servidor.Conexao()->state(), QAbstractSocket::UnconnectedState);
            b.servidor.LimparRecebido();
            Espera::SetLimite(std::chrono::milliseconds(15000));
            QVERIFY(b.ClicarEResponder(c.frLogin->btLgOK, 10, "Login", "Ana") && b.Receber({}));
            QTRY_VERIFY(b.servidor.Recebido().startsWith(Msg("obVer")) &&
                        b.servidor.Conexoes() == 2);
        }
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
