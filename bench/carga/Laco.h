#pragma once

#include <QtGlobal>
#include <functional>
#include <vector>

class Conexao;

// The load program's event loop: epoll over every connection, plus a tick for the scenario.
class Laco
{
public:
    Laco();
    ~Laco();

    void Adicionar(Conexao* c);
    void Remover(Conexao* c);
    // Re-arms writing interest after Enviar left bytes waiting.
    void Atualizar(Conexao* c);
    // Runs until parar() returns true, calling tique about every intervaloMs.
    void Rodar(const std::function<bool()>& tique, int intervaloMs = 5);

private:
    int m_epoll;
};

// Monotonic time in microseconds.
qint64 AgoraUs();
