#pragma once

#include "BancoContas.h"

#include <QString>

// The accounts in an SQLite file of the data folder: one process owns it. WAL with full
// synchronous commits: once a call returns true the change survives a kill or a power cut.
class BancoContasSqlite : public BancoContas
{
public:
    BancoContasSqlite();
    ~BancoContasSqlite() override;

    // Creates the folder and the schema when missing.
    bool Abrir(const QString& pasta, QString* erro);

    QList<Criacao> CriarVarias(const QList<Conta>& contas) override;
    std::optional<Conta> Buscar(const QString& login, bool* falhou) override;
    bool TrocarSenha(qint64 id, const QByteArray& hash) override;
    bool TrocarFoto(qint64 id, const QByteArray& foto) override;

    static QString NomeArquivo() { return QStringLiteral("contas.sqlite"); }

private:
    QString m_conexao;
};
