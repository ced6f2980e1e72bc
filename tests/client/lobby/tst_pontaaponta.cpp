#include "Caixas.h"
#include "ClienteTeste.h"
#include "Espera.h"
#include "ServidorTeste.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCliente.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

// One player's evening against the real server in the same process, with a headless second
// player: sign-up, login, the lobby, its chat, and a room with a password.
class TstPontaAPonta : public QObject
{
    Q_OBJECT

private slots:
    void cadastroEntradaSaguaoESala()
    {
        QStringList caixas;
        Caixas::SetInterceptador([&](const Caixas::Caixa& caixa) {
            caixas << caixa.texto;
            return caixa.tipo == Caixas::Tipo::Entrada ? QStringLiteral("pw") : QString();
        });
        ServidorTeste servidor;
        Espera::Reiniciar();
        frmCliente c({"servidor", "127.0.0.1"}, servidor.Porta());
        c.Form_Load();
        // The server expects this build's version, so the window shows.
        QTRY_VERIFY_WITH_TIMEOUT(c.isVisible(), 10000);

        c.frLogin->btLgCriarConta->click();
        TelaCadastro* cd = c.frCadastro;
        cd->txCdNome->setText(QStringLiteral("Ana Souza"));
        cd->txCdEMail->setText(QStringLiteral("ana@exemplo.com.br"));
        cd->txCdLogin->setText(QStringLiteral("anabela"));
        cd->txCdSenha->setText(QStringLiteral("segredo"));
        cd->txCdRpSenha->setText(QStringLiteral("segredo"));
        cd->btCdOk->click();
        QTRY_COMPARE_WITH_TIMEOUT(caixas, QStringList{"Cadastro efetuado!"}, 10000);
        QCOMPARE(c.FrameAtual, c.frLogin);

        // The click returns once the server has answered: the login waits inside it.
        c.frLogin->txLgLogin->setText(QStringLiteral("anabela"));
        c.frLogin->txLgSenha->setText(QStringLiteral("errada"));
        c.frLogin->btLgOK->click();
        QCOMPARE(caixas.last(), QStringLiteral("Login ou senha inválidos"));
        c.frLogin->txLgSenha->setText(QStringLiteral("segredo"));
        c.frLogin->btLgOK->click();
        QCOMPARE(c.FrameAtual, c.frSalas);
        QCOMPARE(c.windowTitle(), QStringLiteral("Quarpel - anabela"));

        auto bia = ClienteTeste::NoSaguao(servidor.Porta(), QStringLiteral("beatriz"));
        QVERIFY(bia);
        QTRY_COMPARE(c.frSalas->ltSlJogadores->count(), 2);
        // Chat both ways, accents included.
        c.txFalar->setText(QStringLiteral("Olá, Bia! Vamos jogar?"));
        c.btEnviar->click();
        auto linha = bia->Esperar("slMsg");
        QVERIFY(linha);
        QCOMPARE(linha->argumentos, (QList<QByteArray>{"anabela", "Ol\xE1, Bia! Vamos jogar?"}));
        bia->EnviarTextos("slBla", {QStringLiteral("Já vou.")});
        QTRY_VERIFY(c.txChat->toPlainText().endsWith(QStringLiteral("beatriz: Já vou.")));

        // Bia's room with a password shows in Ana's list; Ana enters it through the prompt.
        QCOMPARE(bia->CriarSala(QStringLiteral("Mesa da Bia"), QStringLiteral("pw")), "OK");
        QTreeWidget* salas = c.frSalas->ltSlSalas;
        QTRY_COMPARE(salas->topLevelItemCount(), 1);
        QCOMPARE(salas->topLevelItem(0)->text(2), QStringLiteral("Sim"));
        salas->topLevelItem(0)->setSelected(true);
        c.frSalas->btSlEntrar->click();
        QTRY_COMPARE(c.FrameAtual, c.frJogo);
        QCOMPARE(c.frJogo->lbJgNomeSala->text(), QStringLiteral("Mesa da Bia"));
        bia->Descartar();
        c.txFalar->setText(QStringLiteral("Cheguei!"));
        c.btEnviar->click();
        QCOMPARE(bia->Esperar("slMsg")->Texto(2), QStringLiteral("Cheguei!"));
        Caixas::SetInterceptador({});
    }
};

QTEST_MAIN(TstPontaAPonta)
#include "tst_pontaaponta.moc"
