#pragma once

#include <QList>
#include <QWidget>
#include <array>

class CaixaFigura;
class QFrame;
class QLabel;
class QPushButton;

// The game table: the four seats, the cards, the scoreboard, the status line and the table's
// buttons, with the table state that the game's reactions keep. The chat is lent to it by the
// main window while it shows.
class TelaJogo : public QWidget
{
    Q_OBJECT

public:
    // The players' panels' back colour, &H006000.
    static const QColor kVerdePainel;

    explicit TelaJogo(QWidget* pai = nullptr);

    QFrame* shJgNomeSala;
    QLabel* lbJgNomeSala;
    std::array<CaixaFigura*, 4> pbJgJogador{};
    std::array<QLabel*, 4> lbJgJogador{};
    // Element 0 is the card template with the back; the cards are made from it.
    QList<CaixaFigura*> pbJgCarta;
    CaixaFigura* pbJgPlacar;
    QLabel* lbJgEstado;
    QLabel* lbJgResultado;
    QLabel* lbJgFim;
    QPushButton* btJgIniciarJogo;
    QPushButton* btJgTruco;
    QPushButton* btJgAceitar;
    QPushButton* btJgRecusar;
    QPushButton* btJgSair;

    // The panel the host picked as the first half of a seat swap, 4 for none.
    qint16 JogSel = 4;
    bool JogoIniciado = false;
    // The team of the last truco call in this hand, -1 when nobody called.
    qint16 EquipeTruco = -1;
    // Truco is barred in this hand.
    bool MaoDeOnze = false;
};
