#include "TelaLogin.h"

#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TelaLogin::TelaLogin(QWidget* pai)
    : QWidget(pai), lbLgLogin(new QLabel(QStringLiteral("Login:"), this)),
      txLgLogin(new QLineEdit(this)), lbLgSenha(new QLabel(QStringLiteral("Senha:"), this)),
      txLgSenha(new QLineEdit(this)), btLgOK(new QPushButton(QStringLiteral("OK"), this)),
      btLgCriarConta(new QPushButton(QStringLiteral("Criar Conta"), this))
{
    setObjectName(QStringLiteral("frLogin"));
    txLgSenha->setEchoMode(QLineEdit::Password);
    lbLgLogin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbLgSenha->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Twips::Posicionar(lbLgLogin, 2760, 2700, 1335, 255);
    Twips::Posicionar(txLgLogin, 4200, 2670, 2355, 315);
    Twips::Posicionar(lbLgSenha, 2760, 3150, 1335, 255);
    Twips::Posicionar(txLgSenha, 4200, 3120, 2355, 315);
    Twips::Posicionar(btLgOK, 4200, 3660, 1095, 375);
    Twips::Posicionar(btLgCriarConta, 5460, 3660, 1095, 375);
}
