#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// The lobby of the whole service as one process sees it: this process tells the others of its own
// rooms, its people and its lobby chat, and hears theirs. A service of one process has nobody to
// tell (SaguaoLocal); several share it through PostgreSQL (SaguaoPostgres). Rooms are given by
// their case-folded names, people by Validacao::ChaveLogin.
class SaguaoCompartilhado
{
public:
    struct Sala
    {
        QString nome;
        // "N/4", as the room's own process shows it in "slInf".
        QString jogadores;
        bool senha = false;
        bool cheia = false;
        // Where its process takes relayed players ("host:port"); empty for a room of this one.
        QString endereco;
        bool operator==(const Sala&) const = default;
    };
    // What the other processes have: all their rooms, and the first people logged in on them (as
    // many as "hlInf" can list), each process' in the order they came.
    struct Vista
    {
        QList<Sala> salas;
        QStringList jogadores;
    };
    using AoMudar = std::function<void(const Vista&)>;
    using AoConversar = std::function<void(const QString& login, const QString& texto)>;

    SaguaoCompartilhado() = default;
    virtual ~SaguaoCompartilhado() = default;
    SaguaoCompartilhado(const SaguaoCompartilhado&) = delete;
    SaguaoCompartilhado& operator=(const SaguaoCompartilhado&) = delete;

    // Before anything else: mudou and conversou run on contexto's thread, never from within a call
    // of this object.
    void Ouvir(QObject* contexto, AoMudar mudou, AoConversar conversou)
    {
        m_contexto = contexto;
        m_mudou = std::move(mudou);
        m_conversou = std::move(conversou);
    }

    // False when there are no other processes to tell: the lobby then skips the work.
    virtual bool Compartilhado() const = 0;
    // ordem: the order of arrival in this process, which the others list it by.
    virtual void Chegou(const QString& chave, const QString& login, quint64 ordem) = 0;
    virtual void Partiu(const QString& chave) = 0;
    virtual void SalaMudou(const QString& chave, quint64 ordem, const Sala& sala) = 0;
    virtual void SalaFechou(const QString& chave) = 0;
    virtual void Conversou(const QString& login, const QString& texto) = 0;

protected:
    QObject* m_contexto = nullptr;
    AoMudar m_mudou;
    AoConversar m_conversou;
};
