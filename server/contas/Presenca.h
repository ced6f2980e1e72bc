#pragma once

#include <QObject>
#include <QString>
#include <functional>

// Who is connected, in the whole service: a login claimed here is held by this process until it
// is let go, so that it cannot log in on another process meanwhile. Within one process, the
// caller's own table says which session holds it. Logins are given as Validacao::ChaveLogin.
class Presenca
{
public:
    enum class Reivindicacao
    {
        // Held by this process now (also when it already was).
        Obtida,
        // Held by another process whose lease is still running.
        Ocupada,
        // The database did not answer.
        Falha
    };
    using Pronto = std::function<void(Reivindicacao)>;
    using Perdida = std::function<void(const QString& chave)>;

    Presenca() = default;
    virtual ~Presenca() = default;
    Presenca(const Presenca&) = delete;
    Presenca& operator=(const Presenca&) = delete;

    // From contexto's thread; pronto runs there, at once or later (not at all if contexto is
    // gone). Claims and releases take effect in the order they were asked.
    virtual void Reivindicar(const QString& chave, QObject* contexto, Pronto pronto) = 0;
    virtual void Liberar(const QString& chave) = 0;
    // This process' name in the service; empty when it is the only one.
    virtual QString Processo() const { return {}; }
    // Before the first claim: perdida runs on contexto's thread for a login held here that
    // another process took meanwhile (this one could not renew its lease in time).
    void AoPerder(QObject* contexto, Perdida perdida)
    {
        m_contextoPerdida = contexto;
        m_perdida = std::move(perdida);
    }

protected:
    QObject* m_contextoPerdida = nullptr;
    Perdida m_perdida;
};
