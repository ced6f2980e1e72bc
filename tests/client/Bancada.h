#pragma once

#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"

// A client loaded against its own scripted server, every box recorded; torn down client first.
struct Bancada
{
    explicit Bancada(const QStringList& argumentos = {"servidor", "127.0.0.1"})
        : cliente(ClienteDeTeste(servidor, argumentos))
    {
    }

    CaixasGravadas caixas;
    ServidorRoteirizado servidor;
    std::unique_ptr<frmCliente> cliente;
};
