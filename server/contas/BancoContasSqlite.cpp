#include "BancoContasSqlite.h"

#include "Validacao.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInteger<quint64> g_proximaConexao;

bool Executar(QSqlQuery& q, const char* onde)
{
    if (q.exec())
        return true;
    qWarning("Banco de contas: falha em %s: %s", onde, qPrintable(q.lastError().text()));
    return false;
}

} // namespace

BancoContasSqlite::BancoContasSqlite()
    : m_conexao(QStringLiteral("contas-%1").arg(g_proximaConexao.fetchAndAddRelaxed(1)))
{
}

BancoContasSqlite::~BancoContasSqlite()
{
    if (!QSqlDatabase::contains(m_conexao))
        return;
    QSqlDatabase::database(m_conexao, false).close();
    QSqlDatabase::removeDatabase(m_conexao);
}

bool BancoContasSqlite::Abrir(const QString& pasta, QString* erro)
{
    if (!QDir().mkpath(pasta)) {
        *erro = QStringLiteral("não foi possível criar a pasta de dados %1").arg(pasta);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_conexao);
    db.setDatabaseName(QDir(pasta).filePath(NomeArquivo()));
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *erro = db.lastError().text();
        return false;
    }
    const char* preparo[] = {
        "PRAGMA journal_mode=WAL",
        "PRAGMA synchronous=FULL",
        "CREATE TABLE IF NOT EXISTS contas ("
        " id INTEGER PRIMARY KEY,"
        " login TEXT NOT NULL,"
        " chave TEXT NOT NULL UNIQUE,"
        " nome TEXT NOT NULL,"
        " email TEXT NOT NULL,"
        " senha TEXT NOT NULL,"
        " foto BLOB,"
        " criada TEXT NOT NULL)",
    };
    for (const char* sql : preparo) {
        QSqlQuery q(db);
        if (!q.prepare(QString::fromLatin1(sql)) || !q.exec()) {
            *erro = q.lastError().text();
            return false;
        }
    }
    QSqlQuery modo(db);
    modo.prepare(QStringLiteral("PRAGMA journal_mode"));
    if (!modo.exec() || !modo.next() || modo.value(0).toString() != QLatin1String("wal")) {
        *erro = QStringLiteral("o banco de contas não aceitou o modo WAL");
        return false;
    }
    return true;
}

QList<BancoContas::Criacao> BancoContasSqlite::CriarVarias(const QList<Conta>& contas)
{
    QSqlDatabase db = QSqlDatabase::database(m_conexao);
    QList<Criacao> r(contas.size(), Criacao::Falha);
    if (contas.size() > 1 && !db.transaction()) {
        qWarning("Banco de contas: falha ao abrir a transação: %s",
                 qPrintable(db.lastError().text()));
        return r;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO contas (login, chave, nome, email, senha, foto, criada)"
                             " VALUES (:login, :chave, :nome, :email, :senha, NULL, :criada)"
                             " ON CONFLICT (chave) DO NOTHING"));
    const QString criada = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    for (qsizetype i = 0; i < contas.size(); ++i) {
        const Conta& conta = contas[i];
        q.bindValue(QStringLiteral(":login"), conta.login);
        q.bindValue(QStringLiteral(":chave"), Validacao::ChaveLogin(conta.login));
        q.bindValue(QStringLiteral(":nome"), conta.nome);
        q.bindValue(QStringLiteral(":email"), conta.email);
        q.bindValue(QStringLiteral(":senha"), QString::fromLatin1(conta.hashSenha));
        q.bindValue(QStringLiteral(":criada"), criada);
        if (Executar(q, "criar conta"))
            r[i] = q.numRowsAffected() == 1 ? Criacao::Criada : Criacao::LoginEmUso;
    }
    if (contas.size() > 1 && !db.commit()) {
        qWarning("Banco de contas: falha no commit: %s", qPrintable(db.lastError().text()));
        db.rollback();
        r.fill(Criacao::Falha);
    }
    return r;
}

std::optional<Conta> BancoContasSqlite::Buscar(const QString& login, bool* falhou)
{
    QSqlQuery q(QSqlDatabase::database(m_conexao));
    q.prepare(QStringLiteral(
        "SELECT id, login, nome, email, senha, foto FROM contas WHERE chave = :chave"));
    q.bindValue(QStringLiteral(":chave"), Validacao::ChaveLogin(login));
    const bool executada = Executar(q, "buscar conta");
    if (falhou)
        *falhou = !executada;
    if (!executada || !q.next())
        return std::nullopt;
    Conta c;
    c.id = q.value(0).toLongLong();
    c.login = q.value(1).toString();
    c.nome = q.value(2).toString();
    c.email = q.value(3).toString();
    c.hashSenha = q.value(4).toString().toLatin1();
    c.foto = q.value(5).toByteArray();
    return c;
}

bool BancoContasSqlite::TrocarSenha(qint64 id, const QByteArray& hash)
{
    QSqlQuery q(QSqlDatabase::database(m_conexao));
    q.prepare(QStringLiteral("UPDATE contas SET senha = :senha WHERE id = :id"));
    q.bindValue(QStringLiteral(":senha"), QString::fromLatin1(hash));
    q.bindValue(QStringLiteral(":id"), id);
    return Executar(q, "trocar senha") && q.numRowsAffected() == 1;
}

bool BancoContasSqlite::TrocarFoto(qint64 id, const QByteArray& foto)
{
    QSqlQuery q(QSqlDatabase::database(m_conexao));
    q.prepare(QStringLiteral("UPDATE contas SET foto = :foto WHERE id = :id"));
    q.bindValue(QStringLiteral(":foto"), foto);
    q.bindValue(QStringLiteral(":id"), id);
    return Executar(q, "trocar foto") && q.numRowsAffected() == 1;
}
