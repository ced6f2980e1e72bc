// The game at the table: the course of a game, truco and the hand of eleven as the server
// reports them.

#include "frmCliente.h"

void frmCliente::jgInf() {}

void frmCliente::cmJog() {}

void frmCliente::cmPrt() {}

void frmCliente::Carta() {}

void frmCliente::rdFim() {}

void frmCliente::prFim() {}

void frmCliente::jgFim() {}

void frmCliente::Truco() {}

void frmCliente::tcAct() {}

void frmCliente::cmM11() {}

void frmCliente::esM11() {}
