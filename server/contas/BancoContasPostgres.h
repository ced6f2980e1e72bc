#pragma once

#include "BancoContas.h"
#include "ConexaoPostgres.h"

// The accounts in PostgreSQL, shared by every server process that names the same database. A
// commit returns once PostgreSQL holds it, so an acknowledged account survives any process dying.
class BancoContasPostgres : public BancoContas
{
public:
    // The schema's version this program writes: the "versao" table holds the database's.
    static constexpr int kVersao = 2;

    explicit BancoContasPostgres(const QString& uri);

    bool Abrir(QString* erro) { return m_conexao.Abrir(erro); }
    // Once, at the server's start: creates the schema, or brings an older one to kVersao. Servers
    // starting together take turns.
    bool Preparar(QString* erro);

    QList<Criacao> CriarVarias(const QList<Conta>& contas) override;
    std::optional<Conta> Buscar(const QString& login, bool* falhou) override;
    bool TrocarSenha(qint64 id, const QByteArray& hash) override;
    bool TrocarFoto(qint64 id, const QByteArray& foto) override;
    bool Presente(const QString& chave, const QString& processo) override;

private:
    ConexaoPostgres m_conexao;
};
