#include "BancoContasPostgres.h"

#include "Validacao.h"

#include <QSqlError>
#include <QVariant>

namespace {

// What each version adds, in order: a database at version n gets the steps of the versions after
// n. Schema statements cannot be prepared in PostgreSQL; these are fixed texts with nothing from
// outside in them.
struct Passo
{
    int versao;
    const char* sql;
};
constexpr Passo kPassos[] = {
    {1, "CREATE TABLE contas ("
        " id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,"
        " login TEXT NOT NULL,"
        " chave TEXT NOT NULL UNIQUE,"
        " nome TEXT NOT NULL,"
        " email TEXT NOT NULL,"
        " senha TEXT NOT NULL,"
        " foto BYTEA,"
        " criada TIMESTAMPTZ NOT NULL DEFAULT now())"},
    // Each process' lease, renewed while it runs; a login is held by the process of its row
    // while that lease lasts (PresencaPostgres).
    {1, "CREATE TABLE processos (id TEXT PRIMARY KEY, validade TIMESTAMPTZ NOT NULL)"},
    {1, "CREATE TABLE presencas ("
        " chave TEXT PRIMARY KEY,"
        " processo TEXT NOT NULL REFERENCES processos (id) ON DELETE CASCADE)"},
    {1, "CREATE INDEX presencas_processo ON presencas (processo)"},
    // The lobby of each process: its rooms and its people, in the order they came there, gone
    // with its lease (SaguaoPostgres).
    {2, "CREATE TABLE salas ("
        " processo TEXT NOT NULL REFERENCES processos (id) ON DELETE CASCADE,"
        " chave TEXT NOT NULL,"
        " ordem BIGINT NOT NULL,"
        " nome TEXT NOT NULL,"
        " jogadores TEXT NOT NULL,"
        " senha BOOLEAN NOT NULL,"
        " cheia BOOLEAN NOT NULL,"
        " endereco TEXT NOT NULL,"
        " PRIMARY KEY (processo, chave))"},
    {2, "CREATE TABLE saguao ("
        " processo TEXT NOT NULL REFERENCES processos (id) ON DELETE CASCADE,"
        " chave TEXT NOT NULL,"
        " ordem BIGINT NOT NULL,"
        " login TEXT NOT NULL,"
        " PRIMARY KEY (processo, chave))"},
};

// The key of the advisory lock the schema's changes are made under.
constexpr qint64 kTravaEsquema = 0x5175617270656c;

} // namespace

BancoContasPostgres::BancoContasPostgres(const QString& uri) : m_conexao(uri) {}

bool BancoContasPostgres::Preparar(QString* erro)
{
    if (!m_conexao.Abrir(erro))
        return false;
    QSqlDatabase db = m_conexao.Banco();
    const auto falha = [&](const QString& texto) {
        *erro = texto;
        db.rollback();
        m_conexao.Descartar();
        return false;
    };
    if (!m_conexao.Comecar())
        return falha(QStringLiteral("não foi possível abrir uma transação"));
    if (!m_conexao.Executar("SELECT pg_advisory_xact_lock(?)", {kTravaEsquema}, false))
        return falha(QStringLiteral("não foi possível travar o esquema"));
    QSqlQuery* existe = m_conexao.Executar("SELECT to_regclass('versao') IS NOT NULL", {}, false);
    if (!existe || !existe->next())
        return falha(QStringLiteral("não foi possível ler a versão do esquema"));
    const bool nova = !existe->value(0).toBool();
    existe->finish();
    QSqlQuery q(db);
    if (nova && !q.exec(QStringLiteral("CREATE TABLE versao (numero INTEGER NOT NULL)")))
        return falha(q.lastError().text());
    QSqlQuery* v = m_conexao.Executar("SELECT coalesce(max(numero), 0) FROM versao", {}, false);
    if (!v || !v->next())
        return falha(QStringLiteral("não foi possível ler a versão do esquema"));
    const int versao = v->value(0).toInt();
    v->finish();
    if (versao > kVersao)
        return falha(QStringLiteral("o banco está na versão %1 do esquema, mais nova que a "
                                    "deste programa (%2)")
                         .arg(versao)
                         .arg(kVersao));
    for (const Passo& p : kPassos) {
        if (p.versao > versao && !q.exec(QString::fromLatin1(p.sql)))
            return falha(q.lastError().text());
    }
    if (versao < kVersao &&
        (!m_conexao.Executar("DELETE FROM versao", {}, false) ||
         !m_conexao.Executar("INSERT INTO versao (numero) VALUES (?)", {kVersao}, false)))
        return falha(QStringLiteral("não foi possível gravar a versão do esquema"));
    if (!db.commit())
        return falha(db.lastError().text());
    if (versao < kVersao)
        qInfo("Esquema do banco de contas: versão %d -> %d", versao, kVersao);
    return true;
}

QList<BancoContas::Criacao> BancoContasPostgres::CriarVarias(const QList<Conta>& contas)
{
    QList<Criacao> r(contas.size(), Criacao::Indisponivel);
    if (!m_conexao.Comecar())
        return r;
    QSqlDatabase db = m_conexao.Banco();
    const auto falhou = [&] {
        // A connection that broke meanwhile means the database went away.
        r.fill(db.isOpen() ? Criacao::Falha : Criacao::Indisponivel);
        db.rollback();
        m_conexao.Descartar();
        return r;
    };
    for (qsizetype i = 0; i < contas.size(); ++i) {
        const Conta& c = contas[i];
        // Not repeated: on a connection that broke, this transaction is gone anyway.
        QSqlQuery* q = m_conexao.Executar(
            "INSERT INTO contas (login, chave, nome, email, senha) VALUES (?, ?, ?, ?, ?)"
            " ON CONFLICT (chave) DO NOTHING",
            {c.login, Validacao::ChaveLogin(c.login), c.nome, c.email,
             QString::fromLatin1(c.hashSenha)},
            false);
        if (!q)
            return falhou();
        r[i] = q->numRowsAffected() == 1 ? Criacao::Criada : Criacao::LoginEmUso;
    }
    if (!db.commit()) {
        qWarning("Banco de contas: falha no commit: %s", qPrintable(db.lastError().text()));
        return falhou();
    }
    return r;
}

std::optional<Conta> BancoContasPostgres::Buscar(const QString& login, bool* falhou)
{
    QSqlQuery* q =
        m_conexao.Executar("SELECT id, login, nome, email, senha, foto FROM contas WHERE chave = ?",
                           {Validacao::ChaveLogin(login)}, true);
    if (falhou)
        *falhou = !q;
    if (!q || !q->next())
        return std::nullopt;
    Conta c;
    c.id = q->value(0).toLongLong();
    c.login = q->value(1).toString();
    c.nome = q->value(2).toString();
    c.email = q->value(3).toString();
    c.hashSenha = q->value(4).toString().toLatin1();
    c.foto = q->value(5).toByteArray();
    q->finish();
    return c;
}

bool BancoContasPostgres::TrocarSenha(qint64 id, const QByteArray& hash)
{
    const QSqlQuery* q = m_conexao.Executar("UPDATE contas SET senha = ? WHERE id = ?",
                                            {QString::fromLatin1(hash), id}, true);
    return q && q->numRowsAffected() == 1;
}

bool BancoContasPostgres::TrocarFoto(qint64 id, const QByteArray& foto)
{
    const QSqlQuery* q =
        m_conexao.Executar("UPDATE contas SET foto = ? WHERE id = ?", {foto, id}, true);
    return q && q->numRowsAffected() == 1;
}

bool BancoContasPostgres::Presente(const QString& chave, const QString& processo)
{
    QSqlQuery* q =
        m_conexao.Executar("SELECT 1 FROM presencas s JOIN processos p ON p.id = s.processo"
                           " WHERE s.chave = ? AND s.processo = ? AND p.validade > now()",
                           {chave, processo}, true);
    const bool sim = q && q->next();
    if (q)
        q->finish();
    return sim;
}
