#pragma once

#include "ServidorQuarpel.h"

#include <QTemporaryDir>
#include <memory>

// A real server in the test's own process, on 127.0.0.1 and a free port, with its data in a
// temporary folder and the cheapest password hash. Reiniciar stops it and starts a new one on
// the same data.
class ServidorTeste
{
public:
    explicit ServidorTeste(Lobby::FabricaSala fabrica = {});
    ~ServidorTeste();

    bool Iniciado() const { return m_servidor != nullptr; }
    quint16 Porta() const;
    QString PastaDados() const;
    QString ArquivoBanco() const;
    ServidorQuarpel& Servidor() { return *m_servidor; }

    bool Reiniciar();
    void Parar();

    static Configuracao ConfiguracaoDeTeste(const QString& pastaDados);

private:
    bool Iniciar();

    Lobby::FabricaSala m_fabrica;
    QTemporaryDir m_pasta;
    std::unique_ptr<ServidorQuarpel> m_servidor;
};
