// The lobby: its updates from the server and the player's actions in it.

#include "frmCliente.h"

void frmCliente::imLoc() {}

void frmCliente::slInf() {}

void frmCliente::hlInf() {}

void frmCliente::slMsg() {}

void frmCliente::btSlEntrar_Click() {}

void frmCliente::btSlCriarSala_Click() {}

void frmCliente::btSlImagem_Click() {}

void frmCliente::btEnviar_Click() {}

void frmCliente::txChat_Change() {}
