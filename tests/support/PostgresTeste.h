#pragma once

#include <QString>
#include <QTemporaryDir>

// PostgreSQL for the tests, always a real one (tools/postgres-temporario.sh): the cluster ctest
// starts for the tests that need it (the fixture "postgres", named by QUARPEL_POSTGRES), with a
// new database for each server; or a cluster of a test's own, which it may stop and start again.
class PostgresTeste
{
public:
    // The URI of the fixture's cluster; empty when the test runs outside ctest.
    static QString Compartilhado();
    // A new empty database in the cluster of uri: its URI, or empty on failure.
    static QString NovoBanco(const QString& uri);

    // A cluster of its own, removed with this object.
    PostgresTeste();
    ~PostgresTeste();
    PostgresTeste(const PostgresTeste&) = delete;
    PostgresTeste& operator=(const PostgresTeste&) = delete;

    // Empty when it could not be started.
    QString Uri() const { return m_uri; }
    // Stops the server (its data and port kept), and starts it again.
    bool Pausar() { return Script("pausar"); }
    bool Retomar() { return Script("retomar"); }

private:
    bool Script(const char* acao, QByteArray* saida = nullptr);

    QTemporaryDir m_pasta;
    QString m_uri;
};
