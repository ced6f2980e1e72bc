#include "Bancada.h"
#include "Espera.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Versao.h"
#include "frmCriarSala.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

// The connection: its loss, the waits that give up on it, and the close that ends the program.
class TstConexao : public QObject
{
    Q_OBJECT

private slots:
    // Lost while a reaction shows its box, the connection is reported once that pass ends. The
    // player is back at the login screen with his login, nothing of the old stream is left (half a
    // message, the turn), and OK logs in on a new connection.
    void perdidaDuranteUmaCaixa()
    {
        Bancada b;
        QVERIFY(b.cliente);
        frmCliente& c = *b.cliente;
        QVERIFY(b.Receber(Msg("Setar", {"Login", "ana"}) + Msg("Setar", {"Vez", "ana"})));
        c.MudarFrame(c.frJogo);
        c.frLogin->txLgSenha->setText("s");
        b.caixas.aoMostrar = [&](const Caixas::Caixa& k) {
            if (k.texto != "A")
                return;
            b.servidor.Conexao()->abort();
            QVERIFY(QTest::qWaitFor(
                [&] { return c.Sock->state() == QAbstractSocket::UnconnectedState; }));
        };
        b.servidor.Enviar(Msg("erCNC", {"A"}) + Msg("slMsg", {"bia", "oi"}).left(12));
        QTRY_VERIFY_WITH_TIMEOUT(c.FrameAtual == c.frLogin, 10000);
        QCOMPARE(b.caixas.Textos(), (QStringList{"A", "Conexão com o servidor perdida."}));
        QVERIFY(!Espera::Encerrando() && c.frLogin->txLgLogin->text() == "ana");
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.Variaveis("Vez"));
        b.servidor.LimparRecebido();
        const QByteArray pedido = Msg("obVer") + Msg("Login", {"ana", "s", kVersaoQuarpel});
        QVERIFY(b.ClicarEResponder(c.frLogin->btLgOK, pedido.size(), "Login", "ana"));
        QCOMPARE(b.servidor.Recebido(), pedido);
        QVERIFY(c.FrameAtual == c.frSalas && b.servidor.Conexoes() == 2);
    }

    // A wait that gives up drops the connection, so that a late answer cannot hold the login,
    // and the next try connects again: login, sign-up, entering a room, creating one.
    void esperaQueDesisteReconecta()
    {
        using Acao = std::function<void(frmCliente&)>;
        const Acao logar = [](frmCliente& c) {
            c.frLogin->txLgLogin->setText("ana");
            c.frLogin->txLgSenha->setText("s");
            c.frLogin->btLgOK->click();
        };
        const Acao cadastrar = [](frmCliente& c) {
            c.MudarFrame(c.frCadastro);
            for (QLineEdit* e : c.frCadastro->findChildren<QLineEdit*>())
                e->setText("a");
            c.frCadastro->btCdOk->click();
        };
        const Acao entrar = [](frmCliente& c) {
            c.MudarFrame(c.frSalas);
            c.frSalas->ltSlSalas->setCurrentItem(
                new QTreeWidgetItem(c.frSalas->ltSlSalas, {"Mesa", "1/4", "Não"}));
            c.frSalas->btSlEntrar->click();
        };
        const Acao criar = [](frmCliente& c) {
            c.MudarFrame(c.frSalas);
            QTimer::singleShot(0, &c, [&c] {
                auto* d = c.findChild<frmCriarSala*>();
                d->txNome->setText("Mesa");
                QTimer::singleShot(3000, d, [d] { d->done(0); });
                d->btOK->click();
            });
            c.frSalas->btSlCriarSala->click();
        };
        Espera::SetLimite(std::chrono::milliseconds(50));
        for (const auto& [pedir, noCadastro] :
             {std::pair{logar, false}, std::pair{cadastrar, true}, std::pair{entrar, false},
              std::pair{criar, false}}) {
            Bancada b;
            QVERIFY(b.cliente);
            frmCliente& c = *b.cliente;
            pedir(c);
            QTRY_COMPARE(b.caixas.Textos(), QStringList{Espera::kSemResposta});
            QVERIFY(c.FrameAtual == (noCadastro ? static_cast<QWidget*>(c.frCadastro) : c.frLogin));
            QTRY_COMPARE(b.servidor.Conexao()->state(), QAbstractSocket::UnconnectedState);
            b.servidor.LimparRecebido();
            (noCadastro ? cadastrar : logar)(c);
            QTRY_VERIFY(b.servidor.Recebido().startsWith(Msg("obVer")));
            QCOMPARE(b.servidor.Conexoes(), 2);
        }
        Espera::SetLimite(std::chrono::milliseconds(15000));
    }

    // Closing the window or its button during a game asks first; No keeps the game. Without a
    // server at start-up the program says so and ends.
    void fecharDuranteOJogoPergunta()
    {
        const std::tuple<bool, bool, bool> casos[]{
            {true, false, false}, {true, false, true}, {true, true, true}, {false, false, false}};
        for (const auto& [emJogo, sim, pelaMoldura] : casos) {
            Bancada b;
            QVERIFY(b.cliente);
            b.cliente->show();
            b.cliente->MudarFrame(b.cliente->frJogo);
            b.cliente->frJogo->JogoIniciado = emJogo;
            b.caixas.resposta = sim ? std::optional<QString>(QString()) : std::nullopt;
            pelaMoldura ? b.cliente->btFechar->click() : void(b.cliente->close());
            QCOMPARE(b.caixas.Textos().join(""),
                     emJogo ? "Sair do jogo? Um robô assume o seu lugar." : "");
            QCOMPARE(b.cliente->isVisible(), emJogo && !sim);
            QCOMPARE(Espera::Encerrando(), !b.cliente->isVisible());
        }
        CaixasGravadas caixas;
        quint16 porta = 0;
        {
            QTcpServer fechado;
            QVERIFY(fechado.listen(QHostAddress::LocalHost, 0));
            porta = fechado.serverPort();
        }
        Espera::Reiniciar();
        frmCliente semServidor({"servidor", "127.0.0.1"}, porta);
        semServidor.Form_Load();
        QVERIFY(Espera::Encerrando() && caixas.Textos() == QStringList{"Servidor não encontrado!"});
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
