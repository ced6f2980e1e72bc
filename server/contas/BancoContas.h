#pragma once

#include "Conta.h"

#include <QList>
#include <QString>
#include <optional>

// The accounts, wherever they are kept (BancoContasSqlite, BancoContasPostgres; OrigemContas
// opens the one the server was started with). One object is one connection, for the thread that
// opened it. A change is durable once its call returns true. Prepared statements only.
class BancoContas
{
public:
    enum class Criacao
    {
        Criada,
        LoginEmUso,
        Falha,
        // The database did not answer: try again in a moment.
        Indisponivel
    };

    BancoContas() = default;
    virtual ~BancoContas() = default;
    BancoContas(const BancoContas&) = delete;
    BancoContas& operator=(const BancoContas&) = delete;

    Criacao Criar(const Conta& conta) { return CriarVarias({conta}).front(); }
    // Several in one transaction, one commit: each is created or its login is taken (also by an
    // earlier one of the list); all fail together when the commit fails.
    virtual QList<Criacao> CriarVarias(const QList<Conta>& contas) = 0;
    // Null for an unknown login, and also when the database did not answer: then *falhou is set.
    virtual std::optional<Conta> Buscar(const QString& login, bool* falhou) = 0;
    virtual bool TrocarSenha(qint64 id, const QByteArray& hash) = 0;
    virtual bool TrocarFoto(qint64 id, const QByteArray& foto) = 0;
    // Whether the process named processo holds the login (Validacao::ChaveLogin) in the service:
    // a player it relays to a room of this one is taken on its word only then. Never, with one
    // process.
    virtual bool Presente(const QString& /*chave*/, const QString& /*processo*/) { return false; }
};
