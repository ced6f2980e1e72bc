// The game at the table: the course of a game, truco and the hand of eleven as the server
// reports them.

#include "frmCliente.h"

void frmCliente::jgInf() {}

Reacao frmCliente::cmJog()
{
    co_return;
}

Reacao frmCliente::cmPrt()
{
    co_return;
}

void frmCliente::Carta() {}

Reacao frmCliente::rdFim()
{
    co_return;
}

void frmCliente::prFim() {}

Reacao frmCliente::jgFim()
{
    co_return;
}

void frmCliente::Truco() {}

void frmCliente::tcAct() {}

Reacao frmCliente::cmM11()
{
    co_return;
}

void frmCliente::esM11() {}
