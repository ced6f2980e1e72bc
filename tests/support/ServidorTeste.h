#pragma once

#include "ServidorQuarpel.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

// A real server in the test's process on 127.0.0.1 and a free port, its data in a temporary
// folder, with the cheapest password hash and no bot delay; ajuste may change any option (a
// PostgreSQL database, say). Reiniciar keeps the data.
class ServidorTeste
{
public:
    explicit ServidorTeste(std::function<void(Configuracao&)> ajuste = {})
        : m_ajuste(std::move(ajuste))
    {
        Reiniciar();
    }

    bool Iniciado() const { return m_servidor != nullptr; }
    quint16 Porta() const { return m_servidor ? m_servidor->Porta() : 0; }
    ServidorQuarpel& Servidor() { return *m_servidor; }
    bool Reiniciar();

private:
    std::function<void(Configuracao&)> m_ajuste;
    QTemporaryDir m_pasta;
    std::unique_ptr<ServidorQuarpel> m_servidor;
};
