// Playing from the keyboard at the table: the keys press what the mouse would, through the same
// handlers and so under the same rules; nothing new goes to the server.

#include "frmCliente.h"

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

// The card of the hand a key names, 0 for none. Shift+1 reads '!' on most layouts, so both
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
} // namespace

bool frmCliente::TeclaDaMesa(QKeyEvent* evento)
{
    // Only at the table, and never while the player types in the chat.
    if (FrameAtual != frJogo || focusWidget() == txFalar)
        return false;
    const Qt::KeyboardModifiers outros =
        evento->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (outros != Qt::NoModifier)
        return false;
    if (const int carta = CartaDaTecla(evento->key())) {
        // Shift turns the card face down or up, as the right button does; the key alone plays it.
        const bool virar = evento->modifiers() & Qt::ShiftModifier;
        pbJgCarta_MouseDown(carta, virar ? Qt::RightButton : Qt::LeftButton);
        return true;
    }
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
