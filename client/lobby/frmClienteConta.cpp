// Login and sign-up: the handlers of the login and sign-up screens.

#include "frmCliente.h"

void frmCliente::btLgOK_Click() {}

void frmCliente::btLgCriarConta_Click() {}

void frmCliente::btCdOk_Click() {}

void frmCliente::btCdCancelar_Click() {}
