#include "TelaCadastro.h"

#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// One row of the form: the label right-aligned before its box.
QLineEdit* linha(QWidget* pai, QLabel*& rotulo, const QString& texto, double top, int maximo)
{
    rotulo = new QLabel(texto, pai);
    rotulo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Twips::Posicionar(rotulo, 1560, top + 30, 2040, 255);
    auto* caixa = new QLineEdit(pai);
    caixa->setMaxLength(maximo);
    Twips::Posicionar(caixa, 3720, top, 3015, 315);
    return caixa;
}
} // namespace

TelaCadastro::TelaCadastro(QWidget* pai) : QWidget(pai)
{
    setObjectName(QStringLiteral("frCadastro"));
    txCdNome = linha(this, lbCdNome, QStringLiteral("Nome:"), 2040, 50);
    txCdEMail = linha(this, lbCdEMail, QStringLiteral("E-Mail:"), 2490, 50);
    txCdLogin = linha(this, lbCdLogin, QStringLiteral("Login:"), 2940, 12);
    txCdSenha = linha(this, lbCdSenha, QStringLiteral("Senha:"), 3390, 12);
    txCdRpSenha = linha(this, lbCdRpSenha, QStringLiteral("Repita a Senha:"), 3840, 12);
    txCdSenha->setEchoMode(QLineEdit::Password);
    txCdRpSenha->setEchoMode(QLineEdit::Password);

    lbCdDica = new QLabel(QStringLiteral("(4-12  caracteres)"), this);
    Twips::Posicionar(lbCdDica, 6840, 2970, 1800, 255);

    btCdOk = new QPushButton(QStringLiteral("OK"), this);
    Twips::Posicionar(btCdOk, 3720, 4440, 1095, 375);
    btCdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    Twips::Posicionar(btCdCancelar, 4980, 4440, 1095, 375);
}
