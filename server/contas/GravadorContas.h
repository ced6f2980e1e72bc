#pragma once

#include "BancoContas.h"
#include "Conta.h"
#include "OrigemContas.h"

#include <QObject>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// New accounts, written by one thread in groups: every sign-up waiting when a commit ends goes
// into the next transaction, so a crowd of sign-ups costs one fsync per group instead of one
// each. Each answer is given only after the commit that holds its account returned, so whatever
// was acknowledged survives a kill.
class GravadorContas
{
public:
    using Pronto = std::function<void(BancoContas::Criacao)>;

    explicit GravadorContas(OrigemContas origem);
    // Writes what is still waiting, then stops.
    ~GravadorContas();
    GravadorContas(const GravadorContas&) = delete;
    GravadorContas& operator=(const GravadorContas&) = delete;

    // From any thread; pronto runs on contexto's thread (not at all if contexto is gone).
    void Criar(const Conta& conta, QObject* contexto, Pronto pronto);

    // Accounts in one transaction at most.
    static constexpr size_t kGrupoMaximo = 512;

private:
    struct Pedido
    {
        Conta conta;
        QObject* contexto;
        Pronto pronto;
    };
    void Rodar();

    OrigemContas m_origem;
    std::mutex m_trava;
    std::condition_variable m_sinal;
    std::vector<Pedido> m_fila;
    bool m_parar = false;
    std::thread m_thread;
};
