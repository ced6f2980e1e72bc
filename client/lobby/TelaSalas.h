#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

// The lobby screen: rooms, players on line and the actions. The chat is lent to it by the main
// window while it shows.
class TelaSalas : public QWidget
{
    Q_OBJECT

public:
    explicit TelaSalas(QWidget* pai = nullptr);

    QLabel* lbSlSalas;
    QTreeWidget* ltSlSalas;
    QLabel* lbSlJogadores;
    QListWidget* ltSlJogadores;
    QPushButton* btSlCriarSala;
    QPushButton* btSlEntrar;
    QPushButton* btSlImagem;
};
