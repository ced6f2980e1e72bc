#pragma once

#include "ServidorRoteirizado.h"
#include "frmCliente.h"

#include <memory>

// A main window loaded against the scripted server, its "obVer" already received by the server
// (and cleared from its record). The closing flag is cleared first, since an earlier window of
// the same test may have set it. Returns null when the client did not connect.
std::unique_ptr<frmCliente> ClienteDeTeste(
    ServidorRoteirizado& servidor,
    const QStringList& argumentos = {QStringLiteral("servidor"), QStringLiteral("127.0.0.1")});
