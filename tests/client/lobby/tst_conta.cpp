#include "AoDormir.h"
#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Espera.h"
#include "FuncoesComuns.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Versao.h"
#include "frmCliente.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
QByteArray msg(const char* comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}
} // namespace

// Login and sign-up against a scripted server: every check in its order, the bytes sent, the
// wait for the login's answer and what the answer does.
class TstConta : public QObject
{
    Q_OBJECT

    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;
    std::unique_ptr<CaixasGravadas> m_caixas;

    TelaLogin* login() { return m_cliente->frLogin; }
    TelaCadastro* cadastro() { return m_cliente->frCadastro; }

    // Clicks OK on the login screen; once the client has sent n bytes, runs durante (while the
    // click still waits). The server answers "Login" with resposta once the client's wait sleeps
    // in the event loop; a bound closes the window if it never does.
    void entrar(const QString& resposta, qsizetype n, const std::function<void()>& durante = {})
    {
        bool respondeu = false;
        QTimer limite;
        limite.setSingleShot(true);
        connect(&limite, &QTimer::timeout, this, [&] { m_cliente->Form_Unload(); });
        QTimer::singleShot(0, this, [&] {
            if (!m_servidor->AguardarBytes(n)) {
                m_cliente->Form_Unload();
                return;
            }
            if (durante)
                durante();
            AoDormir(&limite, [&] {
                m_servidor->Enviar(msg("Setar", {QByteArray("Login"), resposta.toLatin1()}));
                respondeu = true;
            });
            limite.start(20000);
        });
        login()->btLgOK->click();
        QVERIFY(respondeu);
        QVERIFY(!Espera::Encerrando());
    }

    void preencherCadastro(const QString& nome, const QString& email, const QString& conta,
                           const QString& senha, const QString& repeticao)
    {
        cadastro()->txCdNome->setText(nome);
        cadastro()->txCdEMail->setText(email);
        cadastro()->txCdLogin->setText(conta);
        cadastro()->txCdSenha->setText(senha);
        cadastro()->txCdRpSenha->setText(repeticao);
    }

private slots:
    void init()
    {
        m_servidor = new ServidorRoteirizado(this);
        QVERIFY(m_servidor->Escutando());
        m_caixas = std::make_unique<CaixasGravadas>();
        m_cliente = ClienteDeTeste(*m_servidor);
        QVERIFY(m_cliente);
        m_cliente->show();
    }

    void cleanup()
    {
        m_cliente.reset();
        delete m_servidor;
        m_caixas.reset();
    }

    void loginChecaAsCaixasNaOrdemSemEnviar()
    {
        login()->btLgOK->click();
        QCOMPARE(m_caixas->Textos(), QStringList{"Digite seu login"});
        login()->txLgSenha->setText("segredo");
        login()->btLgOK->click();
        login()->txLgSenha->clear();
        login()->txLgLogin->setText("ana");
        login()->btLgOK->click();
        QCOMPARE(m_caixas->Textos(),
                 (QStringList{"Digite seu login", "Digite seu login", "Digite sua senha"}));
        QCOMPARE(m_caixas->lista.last().titulo, QStringLiteral("Quarpel"));
        QCOMPARE(m_caixas->lista.last().tipo, Caixas::Tipo::Informacao);

        // The first bytes the server sees are those of the one login that passed the checks.
        login()->txLgSenha->setText("segredo");
        const QByteArray esperado = msg("Login", {"ana", "segredo", QByteArray(kVersaoQuarpel)});
        entrar("ana", esperado.size());
        QCOMPARE(m_servidor->Recebido(), esperado);
    }

    void loginEsperaComATelaDesligadaEContinuaComAResposta()
    {
        // Windows-1252 on the wire: "João" is 4 bytes.
        login()->txLgLogin->setText(QStringLiteral("João"));
        login()->txLgSenha->setText(QStringLiteral("s e"));
        const QByteArray esperado = msg("Login", {"Jo\xE3o", "s e", QByteArray(kVersaoQuarpel)});
        bool esperava = false;
        entrar(QStringLiteral("João"), esperado.size(), [&] {
            // Still inside the click: the screen is off, so no second login can start.
            esperava = !login()->btLgOK->isEnabled() && !login()->txLgLogin->isEnabled() &&
                       m_cliente->FrameAtual == login() && m_cliente->Variaveis("Login").isEmpty();
            // An unrelated write of the variable store does not end the wait.
            m_servidor->Enviar(msg("Setar", {"Hosting", "False"}));
        });
        QVERIFY(esperava);
        QCOMPARE(m_servidor->Recebido(), esperado);
        QVERIFY(login()->isEnabled());
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(m_cliente->frSalas));
        QCOMPARE(m_cliente->windowTitle(), QStringLiteral("Quarpel - João"));
        QCOMPARE(m_cliente->frJogo->lbJgJogador[0]->text(), QStringLiteral("João"));
        QVERIFY(m_caixas->lista.isEmpty());
    }

    void loginComAsteriscoGuardaONomeSemEle()
    {
        login()->txLgLogin->setText("ana");
        login()->txLgSenha->setText("x");
        entrar("*ana", 1);
        QCOMPARE(m_cliente->windowTitle(), QStringLiteral("Quarpel - *ana"));
        QCOMPARE(m_cliente->frJogo->lbJgJogador[0]->text(), QStringLiteral("*ana"));
        QCOMPARE(m_cliente->Variaveis("Login"), QStringLiteral("ana"));
    }

    void loginRecusadoMostraOMotivoEFicaNaTela()
    {
        login()->txLgLogin->setText("ana");
        login()->txLgSenha->setText("errada");
        entrar("_Senha incorreta", 1);
        QCOMPARE(m_caixas->Textos(), QStringList{"Senha incorreta"});
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(login()));
        QVERIFY(login()->isEnabled());
        QCOMPARE(login()->txLgLogin->text(), QStringLiteral("ana"));
        QCOMPARE(login()->txLgSenha->text(), QStringLiteral("errada"));
        QCOMPARE(m_cliente->windowTitle(), QStringLiteral("Quarpel"));
    }

    void fecharDuranteAEsperaTerminaSemCaixa()
    {
        login()->txLgLogin->setText("ana");
        login()->txLgSenha->setText("x");
        QTimer::singleShot(0, this, [&] {
            m_servidor->AguardarBytes(1);
            m_cliente->btFechar->click();
        });
        login()->btLgOK->click();
        QVERIFY(Espera::Encerrando());
        QVERIFY(m_caixas->lista.isEmpty());
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(login()));
    }

    void cadastroComLoginMarcadoSoMostraEssaRegra()
    {
        login()->btLgCriarConta->click();
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(cadastro()));
        for (const char* conta : {"*ana", "_ana"}) {
            m_caixas->lista.clear();
            preencherCadastro("", "", conta, "", "");
            cadastro()->btCdOk->click();
            QCOMPARE(m_caixas->Textos(), QStringList{"O Login não pode começar com '_' ou '*'"});
        }
        // A mark inside the login is no mark.
        m_caixas->lista.clear();
        preencherCadastro("", "", "a*", "", "");
        cadastro()->btCdOk->click();
        QCOMPARE(m_caixas->Textos(), QStringList{"Digite o seu nome"});
    }

    void cadastroChecaNaOrdemEEnviaOsQuatroCampos()
    {
        login()->btLgCriarConta->click();
        const struct
        {
            const char *nome, *email, *conta, *senha, *repeticao, *caixa;
        } casos[] = {
            {"", "", "", "", "", "Digite o seu nome"},
            {"Ana", "", "", "", "", "Digite o seu Login"},
            {"Ana", "", "ana", "", "x", "Digite a senha"},
            {"Ana", "", "ana", "Segredo", "segredo", "As senhas devem ser iguais"},
            {"Ana", "", "ana", "Segredo", "", "As senhas devem ser iguais"},
            {"Ana", "", "ana", "Segredo", "Segredo", "Digite o seu e-mail"},
        };
        for (const auto& c : casos) {
            m_caixas->lista.clear();
            preencherCadastro(c.nome, c.email, c.conta, c.senha, c.repeticao);
            cadastro()->btCdOk->click();
            QCOMPARE(m_caixas->Textos(), QStringList{QString::fromUtf8(c.caixa)});
            QVERIFY(cadastro()->isEnabled());
        }

        m_caixas->lista.clear();
        preencherCadastro(QStringLiteral("Ana Lúcia"), "ana@x.br", "ana", "Segredo", "Segredo");
        cadastro()->btCdOk->click();
        QVERIFY(m_caixas->lista.isEmpty());
        QVERIFY(!cadastro()->isEnabled());
        // Name, login, password, e-mail: nothing before it went out.
        const QByteArray esperado = msg("nvAcc", {"Ana L\xFA"
                                                  "cia",
                                                  "ana", "Segredo", "ana@x.br"});
        QVERIFY(m_servidor->AguardarBytes(esperado.size()));
        QCOMPARE(m_servidor->Recebido(), esperado);

        m_servidor->Enviar(msg("okAcc"));
        QTRY_COMPARE_WITH_TIMEOUT(m_caixas->Textos(), QStringList{"Cadastro efetuado!"}, 10000);
        QVERIFY(cadastro()->isEnabled());
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(login()));
    }

    void cancelarVoltaAoLoginEGuardaOsTextos()
    {
        login()->btLgCriarConta->click();
        preencherCadastro("Ana", "a@b", "ana", "1234", "1234");
        cadastro()->btCdCancelar->click();
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(login()));
        QVERIFY(cadastro()->isHidden());
        login()->btLgCriarConta->click();
        QCOMPARE(cadastro()->txCdNome->text(), QStringLiteral("Ana"));
        QCOMPARE(cadastro()->txCdRpSenha->text(), QStringLiteral("1234"));
        QVERIFY(m_caixas->lista.isEmpty());
        QVERIFY(m_servidor->Recebido().isEmpty());
    }
};

QTEST_MAIN(TstConta)
#include "tst_conta.moc"
