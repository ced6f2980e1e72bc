#include "Bancada.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Versao.h"

#include <QLabel>

// Login and sign-up against a scripted server: every check in its order, the bytes sent, the
// wait for the login's answer and what the answer does.
class TstConta : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;

    TelaLogin* login() { return b->cliente->frLogin; }
    TelaCadastro* cadastro() { return b->cliente->frCadastro; }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        b->cliente->show();
    }

    void cleanup() { b.reset(); }

    void loginEsperaComATelaDesligadaEContinuaComAResposta_data()
    {
        QTest::addColumn<QByteArray>("resposta");
        QTest::addColumn<QString>("nome"); // empty when refused
        QTest::addColumn<QString>("guardado");
        QTest::newRow("aceito") << QByteArray("Jo\xE3o") << "João" << QString("João");
        QTest::newRow("asterisco") << QByteArray("*Jo\xE3o") << "*João" << QString("João");
        QTest::newRow("recusado") << QByteArray("_Senha incorreta") << "" << QString();
    }

    void loginEsperaComATelaDesligadaEContinuaComAResposta()
    {
        QFETCH(QByteArray, resposta);
        QFETCH(QString, nome);
        QFETCH(QString, guardado);
        // Windows-1252 on the wire: "João" is 4 bytes.
        login()->txLgLogin->setText(QStringLiteral("João"));
        login()->txLgSenha->setText(QStringLiteral("s e"));
        const QByteArray esperado = Msg("Login", {"Jo\xE3o", "s e", QByteArray(kVersaoQuarpel)});
        bool esperava = false;
        QVERIFY(b->ClicarEResponder(login()->btLgOK, esperado.size(), "Login", resposta, [&] {
            // Still inside the click: the screen is off, so no second login can start.
            esperava = !login()->btLgOK->isEnabled() && !login()->txLgLogin->isEnabled() &&
                       b->cliente->FrameAtual == login() &&
                       b->cliente->Variaveis("Login").isEmpty();
            // An unrelated write of the variable store does not end the wait.
            b->servidor.Enviar(Msg("Setar", {"Hosting", "False"}));
        }));
        QVERIFY(esperava && login()->isEnabled());
        QCOMPARE(b->servidor.Recebido(), esperado);
        QCOMPARE(b->caixas.Textos(),
                 nome.isEmpty() ? QStringList{"Senha incorreta"} : QStringList{});
        QVERIFY(b->cliente->FrameAtual ==
                (nome.isEmpty() ? static_cast<QWidget*>(login()) : b->cliente->frSalas));
        if (!nome.isEmpty())
            QCOMPARE(b->cliente->windowTitle() + b->cliente->frJogo->lbJgJogador[0]->text() + "," +
                         b->cliente->Variaveis("Login"),
                     "Quarpel - " + nome + nome + "," + guardado);
    }

    void cadastroChecaNaOrdemEEnviaOsQuatroCampos()
    {
        login()->btLgCriarConta->click();
        const char* marca = "O Login não pode começar com '_' ou '*'";
        const struct
        {
            const char *nome, *email, *conta, *senha, *repeticao, *caixa;
        } casos[] = {
            {"", "", "*ana", "", "", marca},
            {"", "", "_ana", "", "", marca},
            {"", "", "a*", "", "", "Digite o seu nome"}, // a mark inside is no mark
            {"Ana", "", "", "", "", "Digite o seu Login"},
            {"Ana", "", "ana", "", "x", "Digite a senha"},
            {"Ana", "", "ana", "Segredo", "segredo", "As senhas devem ser iguais"},
            {"Ana", "", "ana", "Segredo", "Segredo", "Digite o seu e-mail"},
            {"Ana Lúcia", "ana@x.br", "anabananeira1", "Segredo", "Segredo", nullptr},
        };
        for (const auto& c : casos) {
            b->caixas.lista.clear();
            cadastro()->txCdNome->setText(QString::fromUtf8(c.nome));
            cadastro()->txCdEMail->setText(c.email);
            cadastro()->txCdLogin->setText(c.conta);
            cadastro()->txCdSenha->setText(c.senha);
            cadastro()->txCdRpSenha->setText(c.repeticao);
            cadastro()->btCdOk->click();
            QCOMPARE(b->caixas.Textos(),
                     c.caixa ? QStringList{QString::fromUtf8(c.caixa)} : QStringList{});
            QCOMPARE(cadastro()->isEnabled(), c.caixa != nullptr);
        }
        // Name, login (cut at 12), password, e-mail: nothing before it went out.
        const QByteArray esperado =
            Msg("nvAcc", {"Ana L\xFA\x63ia", "anabananeira", "Segredo", "ana@x.br"});
        QVERIFY(b->servidor.AguardarBytes(esperado.size()));
        QCOMPARE(b->servidor.Recebido(), esperado);
        for (QLineEdit* s : {login()->txLgSenha, cadastro()->txCdSenha, cadastro()->txCdRpSenha})
            QCOMPARE(s->echoMode(), QLineEdit::Password);
        // Accepted: the box shows over the login screen.
        QWidget* telaNaCaixa = nullptr;
        b->caixas.aoMostrar = [&](const Caixas::Caixa&) { telaNaCaixa = b->cliente->FrameAtual; };
        QVERIFY(b->Receber(Msg("okAcc")));
        QCOMPARE(b->caixas.Textos(), QStringList{"Cadastro efetuado!"});
        QVERIFY(telaNaCaixa == login());
    }
};

QTEST_MAIN(TstConta)
#include "tst_conta.moc"
