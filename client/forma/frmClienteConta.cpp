// Login and sign-up: the handlers of the login and sign-up screens.

#include "frmCliente.h"

#include "CPacker.h"
#include "Caixas.h"
#include "Espera.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Texto.h"
#include "Versao.h"

#include <QLabel>
#include <QLineEdit>

// A disabled screen loses the keyboard: whatever stops a request gives the screen back with the
// focus in the field to correct, its text selected so that typing replaces it.
void frmCliente::DevolverTela(QWidget* tela, QWidget* foco, const QString& aviso)
{
    Caixas::Informar(aviso);
    tela->setEnabled(true);
    foco->setFocus();
    if (auto* caixa = qobject_cast<QLineEdit*>(foco))
        caixa->selectAll();
}

void frmCliente::btLgOK_Click()
{
    const QString login = frLogin->txLgLogin->text();
    const QString senha = frLogin->txLgSenha->text();
    if (login.isEmpty())
        return DevolverTela(frLogin, frLogin->txLgLogin, QStringLiteral("Digite seu login"));
    if (senha.isEmpty())
        return DevolverTela(frLogin, frLogin->txLgSenha, QStringLiteral("Digite sua senha"));

    if (!GarantirConexao(frLogin))
        return;
    CPacker& packer = CPacker::Global();
    packer.SetArgumentos(3);
    packer.SetArgumento(1, Texto::ParaBytes(login));
    packer.SetArgumento(2, Texto::ParaBytes(senha));
    packer.SetArgumento(3, QByteArray(kVersaoQuarpel));
    packer.Enviar("Login");

    // The answer comes as a write of "Login" by the server; the disabled screen keeps a second
    // login from starting meanwhile.
    frLogin->setEnabled(false);
    SetVariaveis(QStringLiteral("Login"), QString());
    const Espera::Resposta resposta =
        Espera::AguardarResposta([this] { return !Variaveis(QStringLiteral("Login")).isEmpty(); });
    frLogin->setEnabled(true);
    if (resposta == Espera::Resposta::Interrompida)
        return;
    // A late answer would leave the server holding the login: the next try starts afresh.
    if (resposta == Espera::Resposta::Esgotada) {
        FecharConexao();
        return DevolverTela(frLogin, frLogin->txLgSenha, Espera::kSemResposta);
    }

    const QString v = Variaveis(QStringLiteral("Login"));
    if (v.startsWith(QLatin1Char('_')))
        return DevolverTela(frLogin, frLogin->txLgSenha, v.mid(1));
    MudarFrame(frSalas);
    setWindowTitle(QStringLiteral("Quarpel - ") + v);
    frJogo->lbJgJogador[0]->setText(v);
    // The caption and the label keep the mark; the shared name does not.
    if (v.startsWith(QLatin1Char('*')))
        SetVariaveis(QStringLiteral("Login"), v.mid(1));
}

void frmCliente::btLgCriarConta_Click()
{
    MudarFrame(frCadastro);
}

void frmCliente::btCdOk_Click()
{
    const TelaCadastro* cd = frCadastro;
    const QString nome = cd->txCdNome->text();
    const QString email = cd->txCdEMail->text();
    const QString login = cd->txCdLogin->text();
    const QString senha = cd->txCdSenha->text();
    // A login answer beginning with "_" is a refusal and with "*" a marked name, so no login may
    // begin with either.
    if (login.startsWith(QLatin1Char('_')) || login.startsWith(QLatin1Char('*')))
        return DevolverTela(frCadastro, cd->txCdLogin,
                            QStringLiteral("O Login não pode começar com '_' ou '*'"));
    if (nome.isEmpty())
        return DevolverTela(frCadastro, cd->txCdNome, QStringLiteral("Digite o seu nome"));
    if (login.isEmpty())
        return DevolverTela(frCadastro, cd->txCdLogin, QStringLiteral("Digite o seu Login"));
    if (senha.isEmpty())
        return DevolverTela(frCadastro, cd->txCdSenha, QStringLiteral("Digite a senha"));
    if (cd->txCdRpSenha->text() != senha)
        return DevolverTela(frCadastro, cd->txCdRpSenha,
                            QStringLiteral("As senhas devem ser iguais"));
    if (email.isEmpty())
        return DevolverTela(frCadastro, cd->txCdEMail, QStringLiteral("Digite o seu e-mail"));

    if (!GarantirConexao(frCadastro))
        return;
    CPacker& packer = CPacker::Global();
    packer.SetArgumentos(4);
    packer.SetArgumento(1, Texto::ParaBytes(nome));
    packer.SetArgumento(2, Texto::ParaBytes(login));
    packer.SetArgumento(3, Texto::ParaBytes(senha));
    packer.SetArgumento(4, Texto::ParaBytes(email));
    packer.Enviar("nvAcc");
    // "okAcc" or "erCNC" enables the screen again; nothing else would.
    frCadastro->setEnabled(false);
    Espera::Vigiar(
        frCadastro, [this] { return frCadastro->isEnabled(); },
        [this] {
            FecharConexao();
            DevolverTela(frCadastro, frCadastro->txCdLogin, Espera::kSemResposta);
        });
}

void frmCliente::btCdCancelar_Click()
{
    MudarFrame(frLogin);
}
