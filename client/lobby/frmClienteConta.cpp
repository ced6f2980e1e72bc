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

void frmCliente::btLgOK_Click()
{
    const QString login = frLogin->txLgLogin->text();
    const QString senha = frLogin->txLgSenha->text();
    if (login.isEmpty()) {
        Caixas::Informar(QStringLiteral("Digite seu login"));
        return;
    }
    if (senha.isEmpty()) {
        Caixas::Informar(QStringLiteral("Digite sua senha"));
        return;
    }

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
    Espera::Aguardar([this] { return !Variaveis(QStringLiteral("Login")).isEmpty(); });
    frLogin->setEnabled(true);
    if (Espera::Encerrando())
        return;

    const QString v = Variaveis(QStringLiteral("Login"));
    if (v.startsWith(QLatin1Char('_'))) {
        Caixas::Informar(v.mid(1));
        return;
    }
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
    const QString nome = frCadastro->txCdNome->text();
    const QString email = frCadastro->txCdEMail->text();
    const QString login = frCadastro->txCdLogin->text();
    const QString senha = frCadastro->txCdSenha->text();
    // A login answer beginning with "_" is a refusal and with "*" a marked name, so no login may
    // begin with either.
    if (login.startsWith(QLatin1Char('_')) || login.startsWith(QLatin1Char('*'))) {
        Caixas::Informar(QStringLiteral("O Login não pode começar com '_' ou '*'"));
        return;
    }
    if (nome.isEmpty()) {
        Caixas::Informar(QStringLiteral("Digite o seu nome"));
        return;
    }
    if (login.isEmpty()) {
        Caixas::Informar(QStringLiteral("Digite o seu Login"));
        return;
    }
    if (senha.isEmpty()) {
        Caixas::Informar(QStringLiteral("Digite a senha"));
        return;
    }
    if (frCadastro->txCdRpSenha->text() != senha) {
        Caixas::Informar(QStringLiteral("As senhas devem ser iguais"));
        return;
    }
    if (email.isEmpty()) {
        Caixas::Informar(QStringLiteral("Digite o seu e-mail"));
        return;
    }

    CPacker& packer = CPacker::Global();
    packer.SetArgumentos(4);
    packer.SetArgumento(1, Texto::ParaBytes(nome));
    packer.SetArgumento(2, Texto::ParaBytes(login));
    packer.SetArgumento(3, Texto::ParaBytes(senha));
    packer.SetArgumento(4, Texto::ParaBytes(email));
    packer.Enviar("nvAcc");
    // "okAcc" or "erCNC" enables the screen again.
    frCadastro->setEnabled(false);
}

void frmCliente::btCdCancelar_Click()
{
    MudarFrame(frLogin);
}
