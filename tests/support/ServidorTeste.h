#pragma once

#include "ServidorQuarpel.h"

#include <QTemporaryDir>
#include <memory>

// A real server in the test's process on 127.0.0.1 and a free port, its data in a temporary
// folder, with the cheapest password hash and no bot delay. Reiniciar keeps the data.
class ServidorTeste
{
public:
    ServidorTeste() { Reiniciar(); }

    bool Iniciado() const { return m_servidor != nullptr; }
    quint16 Porta() const { return m_servidor ? m_servidor->Porta() : 0; }
    ServidorQuarpel& Servidor() { return *m_servidor; }
    bool Reiniciar();

private:
    QTemporaryDir m_pasta;
    std::unique_ptr<ServidorQuarpel> m_servidor;
};
