// Playing from the keyboard at the table: the keys press what the mouse would, through the same
// handlers and so under the same rules; nothing new goes to the server.

#include "frmCliente.h"

#include "CaixaFigura.h"
#include "TelaJogo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
// A button answers a key only where a player could click it.
bool Clicar(QPushButton* botao)
{
    if (botao->isHidden() || !botao->isEnabled())
        return false;
    botao->click();
    return true;
}

// The position in the hand a key names, 0 for none. Shift+1 reads '!' on most layouts, so both
// spellings count; the keypad's digits too.
int CartaDaTecla(int tecla)
{
    switch (tecla) {
    case Qt::Key_1:
    case Qt::Key_Exclam:
        return 1;
    case Qt::Key_2:
    case Qt::Key_At:
        return 2;
    case Qt::Key_3:
    case Qt::Key_NumberSign:
        return 3;
    default:
        return 0;
    }
}

// The slot of the n-th card still in the local player's hand, 0 for none: what the mouse could
// click there, a card shown at its place in the hand, neither played nor on its way.
int CartaNaMao(const TelaJogo* mesa, int n)
{
    for (int i = 1; i <= 3; ++i) {
        const CaixaFigura* carta = mesa->pbJgCarta[i];
        const InfoCarta& info = mesa->Cartas[i];
        const bool naMao = !carta->isHidden() && carta->Tag().isEmpty() &&
                           qRound(carta->Left()) == info.Left && qRound(carta->Top()) == info.Top;
        if (naMao && --n == 0)
            return i;
    }
    return 0;
}
} // namespace

void frmCliente::PrepararTeclas()
{
    frJogo->btJgTruco->setToolTip(QStringLiteral("Tecla T"));
    frJogo->btJgAceitar->setToolTip(QStringLiteral("Tecla A"));
    frJogo->btJgRecusar->setToolTip(QStringLiteral("Tecla R"));
    frJogo->setFocusPolicy(Qt::ClickFocus);
}

bool frmCliente::TeclaDaMesa(QKeyEvent* evento)
{
    if (FrameAtual != frJogo)
        return false;
    // The chat keeps every key but Escape, which hands them back to the table.
    if (focusWidget() == txFalar) {
        if (evento->key() != Qt::Key_Escape)
            return false;
        frJogo->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    const Qt::KeyboardModifiers outros =
        evento->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (outros != Qt::NoModifier)
        return false;
    if (const int n = CartaDaTecla(evento->key())) {
        // A held key repeats: that would flip a card back and forth, or play the next one.
        if (evento->isAutoRepeat() || !frJogo->JogoIniciado)
            return true;
        // Shift turns the card face down or up, as the right button does; the key alone plays it.
        const bool virar = evento->modifiers() & Qt::ShiftModifier;
        if (const int carta = CartaNaMao(frJogo, n))
            pbJgCarta_MouseDown(carta, virar ? Qt::RightButton : Qt::LeftButton);
        return true;
    }
    if (evento->isAutoRepeat())
        return false;
    switch (evento->key()) {
    case Qt::Key_T:
        return Clicar(frJogo->btJgTruco);
    case Qt::Key_A:
        return Clicar(frJogo->btJgAceitar);
    case Qt::Key_R:
        return Clicar(frJogo->btJgRecusar);
    default:
        return false;
    }
}
