#pragma once

#include "CBMPRegion.h"
#include "InfoCarta.h"

#include <QImage>
#include <QList>
#include <QWidget>
#include <array>
#include <memory>

class CaixaFigura;
class MovePBs;
class QFrame;
class QLabel;
class QPushButton;

// The game table: the four seats, the cards, the scoreboard, the status line and the table's
// buttons, with the table state that the game's reactions keep. The chat is lent to it by the
// main window while it shows. What is drawn here reads the shared variables; what a click sends
// or writes is the main window's (client/forma/frmClienteMesa.cpp), told by the signals below.
class TelaJogo : public QWidget
{
    Q_OBJECT

public:
    // The players' panels' back colour, &H006000, and white while picked for a swap.
    static const QColor kVerdePainel;
    // Where a played card of the local player lands.
    static constexpr qint32 kMesaLeft = 4170;
    static constexpr qint32 kMesaTop = 3780;

    explicit TelaJogo(QWidget* pai = nullptr);
    ~TelaJogo() override;

    // "JogLocal" as a seat 0 to 3; its writers keep it there, and a stray value still maps inside.
    qint32 JogLocal() const;
    // Seats. p is a one-based screen position (1 the local player's panel), the result the
    // one-based seat shown there; s a zero-based seat, the result its panel index. Both read
    // "JogLocal".
    quint8 JogadorNaPosicao(quint8 p) const;
    quint8 PosicaoDoJogador(quint8 s) const;
    // Names from "Jogador1".."Jogador4" into the panels' labels, and the panels repainted.
    void AtualizarJogadores();
    void pbJgJogador_Paint(int Index);
    void lbJgJogador_Change(int Index);
    // Puts name label p centred under its panel, 840 twips below the panel's top, wherever the
    // panel is now: wider than the panel, so that a twelve-letter login fits.
    void PosicionarRotulo(int p);
    // Shows the room's name and refits its frame to it.
    void MudarNomeSala(const QString& nome);
    void lbJgNomeSala_Change();

    // The fourteen cards made from the template, each shaped by the back's key colour, hidden
    // at the deck's home. Once, at the main window's load.
    void PrepararCartas();
    void pbJgCarta_Paint(int Index);
    // Every card of the last hand, and of a game left half-played, is forgotten before a deal: a
    // code left in another player's slot would show his old card and keep "Carta" from finding
    // it. Nothing moves or is repainted; a card sent and not yet named is forgotten too.
    void EsquecerCartas();

    void pbJgPlacar_Paint();

    // The three truco buttons show together when the other team calls, and go together.
    void EsconderTruco();
    // An unfinished seat swap is called off: the picked panel turns dark green again.
    void CancelarTroca();
    // The animation set and the card region go, as the main window unloads.
    void Descarregar();

    // The table's animation set, made on first use.
    MovePBs& Movimentos();

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
    // The players' pictures by seat minus one.
    std::array<QImage, 4> Fotos;
    // Slots 1 to 14; element 0 is not used.
    std::array<InfoCarta, 15> Cartas{};
    // By team, then trick: non-zero when that team won (or tied) that trick of the hand.
    std::array<std::array<qint16, 3>, 2> VazasGanhas{};
    // The trick of the hand, 0 to 2.
    qint16 VazaAtual = 0;
    // What the hand is worth.
    quint8 ValorMao = 0;
    // The truco button's tag: not empty while a truco call waits for its answer.
    QString TagTruco;
    // The team of the last truco call in this hand, -1 when nobody called.
    qint16 EquipeTruco = -1;
    // Truco is barred in this hand.
    bool MaoDeOnze = false;
    // The card of the hand the local player sent and the server has not yet named, 0 for none.
    qint16 CartaEnviada = 0;
    CBMPRegion RegiaoCarta;

signals:
    // A click on panel Index; a press on card Index with that button.
    void pbJgJogador_Click(int Index);
    void pbJgCarta_MouseDown(int Index, Qt::MouseButton Button);

protected:
    void paintEvent(QPaintEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    std::unique_ptr<MovePBs> m_movimentos;
};
