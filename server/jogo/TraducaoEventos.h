#pragma once

#include "Evento.h"
#include "MensagemJogo.h"

#include <QString>
#include <array>
#include <optional>

// What one seat is told of an engine event, in the client's messages. Each player gets only what
// he may see: his own cards, his partner's only when his team decides a hand of eleven.
class TraducaoEventos
{
public:
    static std::optional<MensagemJogo> Para(const Evento& evento, int assento,
                                            const std::array<QString, 4>& logins);
};
