#include "frmCriarSala.h"

#include "CPacker.h"
#include "CVariaveis.h"
#include "Caixas.h"
#include "Espera.h"
#include "MolduraJanela.h"
#include "Protegido.h"
#include "Texto.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmCriarSala::frmCriarSala(QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Criar Sala"));
    setModal(true);
    setFixedSize(Twips::ParaPx(4500), Twips::ParaPx(2040));

    auto* lbNome = new QLabel(QStringLiteral("Nome da sala:"), this);
    Twips::Posicionar(lbNome, 240, 555, 1560, 255);
    txNome = new QLineEdit(this);
    txNome->setMaxLength(50);
    Twips::Posicionar(txNome, 1800, 510, 2460, 315);

    auto* lbSenha = new QLabel(QStringLiteral("Senha (opcional):"), this);
    Twips::Posicionar(lbSenha, 240, 1005, 1560, 255);
    txSenha = new QLineEdit(this);
    txSenha->setMaxLength(10);
    // Masked as every password the player types; the table shows it to the room later.
    txSenha->setEchoMode(QLineEdit::Password);
    Twips::Posicionar(txSenha, 1800, 960, 2460, 315);

    btOK = new QPushButton(QStringLiteral("OK"), this);
    Twips::Posicionar(btOK, 2100, 1485, 1020, 315);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    Twips::Posicionar(btCancelar, 3240, 1485, 1020, 315);

    btFechar = new QPushButton(this);
    Twips::Posicionar(btFechar, 4245, 60, 195, 195);
    new MolduraJanela(this, btFechar);

    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, Protegido::Slot(this, &frmCriarSala::btOK_Click));
    connect(btCancelar, &QPushButton::clicked, this, &frmCriarSala::reject);
    connect(btFechar, &QPushButton::clicked, this, &frmCriarSala::reject);
}

void frmCriarSala::reject()
{
    if (m_aguardando)
        return;
    QDialog::reject();
}

void frmCriarSala::btOK_Click()
{
    if (m_aguardando)
        return;
    const QString nome = txNome->text();
    const QString senha = txSenha->text();
    if (nome.isEmpty()) {
        Caixas::Informar(QStringLiteral("O nome da sala é obrigatório"));
        return;
    }

    CPacker& packer = CPacker::Global();
    packer.SetArgumentos(2);
    packer.SetArgumento(1, Texto::ParaBytes(nome));
    packer.SetArgumento(2, Texto::ParaBytes(senha));
    packer.Enviar("nvSal");

    CVariaveis& variaveis = CVariaveis::Global();
    variaveis.Escrever(QStringLiteral("CriandoSala"), QString());
    // A second OK, a cancel or a close during the wait would leave the answer to nobody.
    m_aguardando = true;
    for (QPushButton* b : {btOK, btCancelar, btFechar})
        b->setEnabled(false);
    const Espera::Resposta resposta = Espera::AguardarResposta(
        [&variaveis] { return !variaveis.Ler(QStringLiteral("CriandoSala")).isEmpty(); });
    m_aguardando = false;
    for (QPushButton* b : {btOK, btCancelar, btFechar})
        b->setEnabled(true);
    if (resposta != Espera::Resposta::Chegou) {
        QDialog::reject();
        if (resposta == Espera::Resposta::Esgotada)
            emit SemResposta();
        return;
    }

    const QString v = variaveis.Ler(QStringLiteral("CriandoSala"));
    if (v.startsWith(QLatin1Char('_'))) {
        Caixas::Informar(v.mid(1));
        return;
    }
    emit Criada(senha.isEmpty() ? nome : nome + QStringLiteral(" - Senha: ") + senha);
    accept();
}
