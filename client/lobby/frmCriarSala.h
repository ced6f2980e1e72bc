#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The create-room dialog: a name and an optional password. On OK it asks the server and waits in
// place for the answer; on success it says so with Criada, whose receiver seats the player at the
// new room's table as its host, and closes.
class frmCriarSala : public QDialog
{
    Q_OBJECT

public:
    explicit frmCriarSala(QWidget* pai);

    QLineEdit* txNome;
    QLineEdit* txSenha;
    QPushButton* btOK;
    QPushButton* btCancelar;
    QPushButton* btFechar;

    // True while the server's answer is awaited; the dialog's buttons are inert meanwhile.
    bool Aguardando() const { return m_aguardando; }

public slots:
    void reject() override;

signals:
    // The room exists; nomeNaMesa is what the table shows for it (the password included).
    void Criada(const QString& nomeNaMesa);
    // The server did not answer in time; the dialog closes and its caller drops the connection.
    void SemResposta();

private slots:
    void btOK_Click();

private:
    bool m_aguardando = false;
};
