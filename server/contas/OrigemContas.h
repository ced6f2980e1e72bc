#pragma once

#include <QString>
#include <memory>

class BancoContas;
class Presenca;

// Where the accounts live: the SQLite file of the data folder, or, with a URI, the PostgreSQL
// database every process of the service shares. The one place that knows which.
struct OrigemContas
{
    QString pasta;
    // A libpq URI (postgresql://...); empty for SQLite in pasta.
    QString uri;

    bool operator==(const OrigemContas&) const = default;

    // Once, at the server's start: creates the schema, or brings it up to date.
    bool Preparar(QString* erro) const;
    // A connection for the calling thread; null, erro saying why, when it cannot be opened.
    std::unique_ptr<BancoContas> Abrir(QString* erro) const;
    // Who is on line: this process alone, or the whole service. validadeS: how long a process'
    // logins stay held after it stops answering.
    std::unique_ptr<Presenca> NovaPresenca(int validadeS) const;
    // For the log (never a password).
    QString Descricao() const;
};
