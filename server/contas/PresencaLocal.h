#pragma once

#include "Presenca.h"

// A service of one process: the process' own table of sessions is all the presence there is.
class PresencaLocal : public Presenca
{
public:
    void Reivindicar(const QString& chave, QObject* contexto, Pronto pronto) override;
    void Liberar(const QString& chave) override;
};
