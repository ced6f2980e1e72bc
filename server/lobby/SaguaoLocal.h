#pragma once

#include "SaguaoCompartilhado.h"

// A service of one process: its lobby is all the lobby there is.
class SaguaoLocal : public SaguaoCompartilhado
{
public:
    bool Compartilhado() const override { return false; }
    void Chegou(const QString&, const QString&, quint64) override {}
    void Partiu(const QString&) override {}
    void SalaMudou(const QString&, quint64, const Sala&) override {}
    void SalaFechou(const QString&) override {}
    void Conversou(const QString&, const QString&) override {}
};
