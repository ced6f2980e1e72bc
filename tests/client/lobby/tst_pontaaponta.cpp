#include "CaixasGravadas.h"
#include "ClienteTeste.h"
#include "Espera.h"
#include "ServidorTeste.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCliente.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

// The client's account and lobby screens against the real server in the same process, with a
// headless second player.
class TstPontaAPonta : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;
    std::unique_ptr<frmCliente> m_cliente;
    QStringList m_caixas;
    QString m_resposta; // what the player types into an input box

    frmCliente& c() { return *m_cliente; }

    QStringList jogadoresOnLine()
    {
        QStringList nomes;
        for (int i = 0; i < c().frSalas->ltSlJogadores->count(); ++i)
            nomes << c().frSalas->ltSlJogadores->item(i)->text();
        return nomes;
    }

    void cadastrar(const QString& login, const QString& senha)
    {
        c().frLogin->btLgCriarConta->click();
        QCOMPARE(c().FrameAtual, c().frCadastro);
        TelaCadastro* cd = c().frCadastro;
        cd->txCdNome->setText(QStringLiteral("Ana Souza"));
        cd->txCdEMail->setText(QStringLiteral("ana@exemplo.com.br"));
        cd->txCdLogin->setText(login);
        cd->txCdSenha->setText(senha);
        cd->txCdRpSenha->setText(senha);
        m_caixas.clear();
        cd->btCdOk->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas.size(), 1, 10000);
    }

    void entrar(const QString& login, const QString& senha)
    {
        c().frLogin->txLgLogin->setText(login);
        c().frLogin->txLgSenha->setText(senha);
        m_caixas.clear();
        // The click returns once the server has answered: the login waits inside it.
        c().frLogin->btLgOK->click();
    }

private slots:
    void init()
    {
        Caixas::SetInterceptador([this](const Caixas::Caixa& caixa) {
            m_caixas << caixa.texto;
            return caixa.tipo == Caixas::Tipo::Entrada ? m_resposta : QString();
        });
        m_servidor = std::make_unique<ServidorTeste>();
        QVERIFY(m_servidor->Iniciado());
        Espera::Reiniciar();
        m_cliente = std::make_unique<frmCliente>(
            QStringList{QStringLiteral("servidor"), QStringLiteral("127.0.0.1")},
            m_servidor->Porta());
        c().Form_Load();
        // The server expects this build's version, so the window shows.
        QTRY_VERIFY_WITH_TIMEOUT(c().isVisible(), 10000);
        QCOMPARE(c().FrameAtual, c().frLogin);
    }

    void cleanup()
    {
        m_cliente.reset();
        m_servidor.reset();
        Caixas::SetInterceptador({});
    }

    void cadastroEntradaSaguaoEChat()
    {
        cadastrar(QStringLiteral("anabela"), QStringLiteral("segredo"));
        QCOMPARE(m_caixas, QStringList{QStringLiteral("Cadastro efetuado!")});
        QCOMPARE(c().FrameAtual, c().frLogin);

        // The same login again, in other letters' case: the server's reason, screen usable.
        cadastrar(QStringLiteral("ANABELA"), QStringLiteral("outra"));
        QVERIFY(m_caixas.constFirst() != QStringLiteral("Cadastro efetuado!"));
        QVERIFY(!m_caixas.constFirst().isEmpty());
        QTRY_VERIFY(c().frCadastro->isEnabled());
        c().frCadastro->btCdCancelar->click();

        entrar(QStringLiteral("anabela"), QStringLiteral("errada"));
        QCOMPARE(m_caixas, QStringList{QStringLiteral("Login ou senha inválidos")});
        QCOMPARE(c().FrameAtual, c().frLogin);
        QVERIFY(c().frLogin->isEnabled());

        entrar(QStringLiteral("anabela"), QStringLiteral("segredo"));
        QVERIFY(m_caixas.isEmpty());
        QCOMPARE(c().FrameAtual, c().frSalas);
        QCOMPARE(c().windowTitle(), QStringLiteral("Quarpel - anabela"));
        QTRY_COMPARE(jogadoresOnLine(), QStringList{QStringLiteral("anabela")});

        auto bia = ClienteTeste::NoSaguao(m_servidor->Porta(), QStringLiteral("beatriz"));
        QVERIFY(bia);
        QTRY_COMPARE(jogadoresOnLine().size(), 2);
        QVERIFY(jogadoresOnLine().contains(QStringLiteral("beatriz")));

        // Lobby chat both ways, accents included.
        c().txFalar->setText(QStringLiteral("Olá, Bia! Vamos jogar?"));
        c().btEnviar->click();
        QVERIFY(c().txFalar->text().isEmpty());
        auto linha = bia->Esperar("slMsg");
        QVERIFY(linha);
        QCOMPARE(linha->Texto(1), QStringLiteral("anabela"));
        QCOMPARE(linha->Texto(2), QStringLiteral("Olá, Bia! Vamos jogar?"));
        bia->EnviarTextos("slBla", {QStringLiteral("Já vou, é só criar a mesa.")});
        QTRY_VERIFY(c().txChat->toPlainText().endsWith(
            QStringLiteral("beatriz: Já vou, é só criar a mesa.")));

        // Bia's room with a password shows in Ana's list; Ana enters it through the prompt.
        QCOMPARE(bia->CriarSala(QStringLiteral("Mesa da Bia"), QStringLiteral("pw")),
                 QStringLiteral("OK"));
        QTreeWidget* salas = c().frSalas->ltSlSalas;
        QTRY_COMPARE(salas->topLevelItemCount(), 1);
        QCOMPARE(salas->topLevelItem(0)->text(0), QStringLiteral("Mesa da Bia"));
        QCOMPARE(salas->topLevelItem(0)->text(1), QStringLiteral("1/4"));
        QCOMPARE(salas->topLevelItem(0)->text(2), QStringLiteral("Sim"));

        salas->topLevelItem(0)->setSelected(true);
        m_resposta = QStringLiteral("errada");
        m_caixas.clear();
        c().frSalas->btSlEntrar->click();
        QTRY_COMPARE(m_caixas.size(), 2); // the prompt, then the refusal
        QTRY_VERIFY(c().frSalas->isEnabled());
        QCOMPARE(c().FrameAtual, c().frSalas);

        salas->topLevelItem(0)->setSelected(true);
        m_resposta = QStringLiteral("pw");
        c().frSalas->btSlEntrar->click();
        QTRY_COMPARE(c().FrameAtual, c().frJogo);
        QCOMPARE(c().frJogo->lbJgNomeSala->text(), QStringLiteral("Mesa da Bia"));

        // Chat in the room reaches the room.
        bia->Descartar();
        c().txFalar->setText(QStringLiteral("Cheguei!"));
        c().btEnviar->click();
        linha = bia->Esperar("slMsg");
        QVERIFY(linha);
        QCOMPARE(linha->Texto(2), QStringLiteral("Cheguei!"));
    }

    void criarSalaPeloDialogo()
    {
        cadastrar(QStringLiteral("anabela"), QStringLiteral("segredo"));
        entrar(QStringLiteral("anabela"), QStringLiteral("segredo"));
        QCOMPARE(c().FrameAtual, c().frSalas);
        auto bia = ClienteTeste::NoSaguao(m_servidor->Porta(), QStringLiteral("beatriz"));
        QVERIFY(bia);

        bool preenchido = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialogo = qobject_cast<frmCriarSala*>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            dialogo->txNome->setText(QStringLiteral("Mesa da Ana"));
            dialogo->txSenha->setText(QStringLiteral("abc"));
            preenchido = true;
            dialogo->btOK->click();
        });
        c().frSalas->btSlCriarSala->click(); // returns when the dialog has closed
        QVERIFY(preenchido);
        QCOMPARE(c().FrameAtual, c().frJogo);
        QCOMPARE(c().frJogo->lbJgNomeSala->text(), QStringLiteral("Mesa da Ana - Senha: abc"));
        QCOMPARE(c().Variaveis(QStringLiteral("Hosting")), QStringLiteral("True"));
        QCOMPARE(c().Variaveis(QStringLiteral("Jogador1")), QStringLiteral("anabela"));

        QSignalSpy tratadas(&c(), &frmCliente::Tratada);
        QVERIFY(bia->EntrarNaSala(QStringLiteral("Mesa da Ana"), QStringLiteral("abc")));
        QTRY_VERIFY(tratadas.contains(QVariantList{QByteArray("jgInf")}));
    }
};

QTEST_MAIN(TstPontaAPonta)
#include "tst_pontaaponta.moc"
