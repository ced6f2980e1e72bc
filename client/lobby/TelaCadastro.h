#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The sign-up screen. Its buttons' handlers are the main window's.
class TelaCadastro : public QWidget
{
    Q_OBJECT

public:
    explicit TelaCadastro(QWidget* pai = nullptr);

    QLabel* lbCdNome;
    QLineEdit* txCdNome;
    QLabel* lbCdEMail;
    QLineEdit* txCdEMail;
    QLabel* lbCdLogin;
    QLineEdit* txCdLogin;
    QLabel* lbCdDica;
    QLabel* lbCdSenha;
    QLineEdit* txCdSenha;
    QLabel* lbCdRpSenha;
    QLineEdit* txCdRpSenha;
    QPushButton* btCdOk;
    QPushButton* btCdCancelar;
};
