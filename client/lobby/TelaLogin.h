#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The login screen. Its buttons' handlers are the main window's.
class TelaLogin : public QWidget
{
    Q_OBJECT

public:
    explicit TelaLogin(QWidget* pai = nullptr);

    QLabel* lbLgLogin;
    QLineEdit* txLgLogin;
    QLabel* lbLgSenha;
    QLineEdit* txLgSenha;
    QPushButton* btLgOK;
    QPushButton* btLgCriarConta;
};
