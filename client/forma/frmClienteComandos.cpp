// The table's buttons: start, truco, accept, refuse and leave. Each tidies the table and sends
// one command without arguments; the server's answers decide what follows.

#include "frmCliente.h"

#include "CPacker.h"
#include "TelaJogo.h"
#include "TelaSalas.h"

#include <QLabel>
#include <QPushButton>

void frmCliente::btJgIniciarJogo_Click()
{
    frJogo->CancelarTroca();
    CPacker::Global().Enviar("Start");
    frJogo->btJgIniciarJogo->setEnabled(false);
    frJogo->JogoIniciado = true;
}

void frmCliente::btJgTruco_Click()
{
    frJogo->EsconderTruco();
    CPacker::Global().Enviar("Truco");
}

void frmCliente::btJgAceitar_Click()
{
    frJogo->EsconderTruco();
    CPacker::Global().Enviar("tcSim");
}

void frmCliente::btJgRecusar_Click()
{
    frJogo->EsconderTruco();
    CPacker::Global().Enviar("tcNao");
}

// Back to the lobby with the table made ready for the next room: no result, no marks, both
// scores 0. A half-made seat swap is called off too, or its panel would stay white there.
void frmCliente::btJgSair_Click()
{
    MudarFrame(frSalas);
    MesaDeEspera();
    CPacker::Global().Enviar("slSai");
}
