#pragma once

#include "Conta.h"

#include <QList>
#include <QString>
#include <optional>

// The accounts, in an SQLite file of the data folder. WAL with full synchronous commits: once a
// call returns true the change survives a kill or a power cut. Prepared statements only.
class BancoContas
{
public:
    enum class Criacao
    {
        Criada,
        LoginEmUso,
        Falha
    };

    BancoContas();
    ~BancoContas();
    BancoContas(const BancoContas&) = delete;
    BancoContas& operator=(const BancoContas&) = delete;

    // Creates the folder and the schema when missing.
    bool Abrir(const QString& pasta, QString* erro);

    Criacao Criar(const Conta& conta);
    // Several in one transaction, one commit: each is created or its login is taken (also by an
    // earlier one of the list); all fail together when the commit fails.
    QList<Criacao> CriarVarias(const QList<Conta>& contas);
    std::optional<Conta> Buscar(const QString& login);
    bool TrocarSenha(qint64 id, const QByteArray& hash);
    bool TrocarFoto(qint64 id, const QByteArray& foto);

    static QString NomeArquivo() { return QStringLiteral("contas.sqlite"); }

private:
    QString m_conexao;
};
