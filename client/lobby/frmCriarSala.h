#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class frmCliente;

// The create-room dialog: a name and an optional password. On OK it asks the server and waits in
// place for the answer; on success the player sits at the new room's table as its host.
class frmCriarSala : public QDialog
{
    Q_OBJECT

public:
    explicit frmCriarSala(frmCliente* principal);

    QLineEdit* txNome;
    QLineEdit* txSenha;
    QPushButton* btOK;
    QPushButton* btCancelar;
    QPushButton* btFechar;

    // True while the server's answer is awaited; the dialog's buttons are inert meanwhile.
    bool Aguardando() const { return m_aguardando; }

public slots:
    void reject() override;

private slots:
    void btOK_Click();

private:
    frmCliente* m_principal;
    bool m_aguardando = false;
};
