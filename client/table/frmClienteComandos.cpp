// The table's buttons: start, truco, accept, refuse and leave.

#include "frmCliente.h"

void frmCliente::btJgIniciarJogo_Click() {}

void frmCliente::btJgTruco_Click() {}

void frmCliente::btJgAceitar_Click() {}

void frmCliente::btJgRecusar_Click() {}

void frmCliente::btJgSair_Click() {}
