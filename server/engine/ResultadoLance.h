#pragma once

#include "Evento.h"

#include <string>
#include <vector>

// The answer to a move: a refusal with its reason (and nothing changed), or the events it caused.
struct ResultadoLance
{
    std::string motivo;
    std::vector<Evento> eventos;

    bool Aceito() const { return motivo.empty(); }
};
