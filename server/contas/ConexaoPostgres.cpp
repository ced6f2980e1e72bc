#include "ConexaoPostgres.h"

#include <QAtomicInteger>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

namespace {

QAtomicInteger<quint64> g_proximaConexao;

} // namespace

ConexaoPostgres::ConexaoPostgres(const QString& uri)
    : m_uri(uri), m_nome(QStringLiteral("postgres-%1").arg(g_proximaConexao.fetchAndAddRelaxed(1)))
{
}

ConexaoPostgres::~ConexaoPostgres()
{
    Descartar();
    if (QSqlDatabase::contains(m_nome))
        QSqlDatabase::removeDatabase(m_nome);
}

std::optional<QString> ConexaoPostgres::ProblemaUri(const QString& uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid())
        return QStringLiteral("URI de banco inválida: %1").arg(url.errorString());
    if (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))
        return QStringLiteral("o banco deve ser uma URI postgresql://usuário@máquina:porta/banco");
    if (url.path().count(u'/') > 1)
        return QStringLiteral("URI de banco inválida: o nome do banco não pode ter '/'");
    return std::nullopt;
}

QString ConexaoPostgres::SemSenha(const QString& uri)
{
    return QUrl(uri).toString(QUrl::RemovePassword);
}

bool ConexaoPostgres::Abrir(QString* erro)
{
    QSqlDatabase db = Banco();
    if (db.isOpen())
        return true;
    if (!db.isValid()) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_nome);
        if (!db.isValid()) {
            if (erro)
                *erro = QStringLiteral("o driver QPSQL do Qt não está instalado "
                                       "(pacote libqt6sql6-psql)");
            return false;
        }
        const QUrl url(m_uri);
        db.setHostName(url.host());
        if (url.port() != -1)
            db.setPort(url.port());
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
        // A database that does not answer at all is given up on after a few seconds: the
        // caller is a worker thread, but a player waits for it.
        QStringList opcoes{QStringLiteral("connect_timeout=5")};
        for (const auto& [chave, valor] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
            opcoes << chave + u'=' + valor;
        db.setConnectOptions(opcoes.join(u';'));
    }
    if (db.open())
        return true;
    if (erro)
        *erro = db.lastError().text();
    return false;
}

void ConexaoPostgres::Descartar()
{
    m_preparadas.clear();
    if (QSqlDatabase::contains(m_nome))
        Banco().close();
}

bool ConexaoPostgres::Comecar()
{
    for (int vez = 0; vez < 2; ++vez) {
        const bool jaAberta = Banco().isOpen();
        QString erro;
        if (!Abrir(&erro)) {
            qWarning("Banco PostgreSQL indisponível: %s", qPrintable(erro));
            return false;
        }
        if (Banco().transaction())
            return true;
        qWarning("Banco PostgreSQL: falha ao abrir a transação: %s",
                 qPrintable(Banco().lastError().text()));
        Descartar();
        if (!jaAberta)
            return false;
    }
    return false;
}

QSqlQuery* ConexaoPostgres::Executar(const char* sql, const QVariantList& valores, bool repetivel)
{
    for (int vez = 0; vez < 2; ++vez) {
        const bool jaAberta = Banco().isOpen();
        QString erro;
        if (!Abrir(&erro)) {
            qWarning("Banco PostgreSQL indisponível: %s", qPrintable(erro));
            return nullptr;
        }
        auto it = m_preparadas.find(sql);
        if (it == m_preparadas.end()) {
            QSqlQuery q(Banco());
            if (!q.prepare(QString::fromUtf8(sql))) {
                qWarning("Banco PostgreSQL: falha ao preparar: %s",
                         qPrintable(q.lastError().text()));
                Descartar();
                if (jaAberta && repetivel)
                    continue;
                return nullptr;
            }
            it = m_preparadas.emplace(sql, std::move(q)).first;
        }
        QSqlQuery& q = it->second;
        for (qsizetype i = 0; i < valores.size(); ++i)
            q.bindValue(int(i), valores[i]);
        if (q.exec())
            return &q;
        qWarning("Banco PostgreSQL: falha: %s", qPrintable(q.lastError().text()));
        // Whatever it was, a new connection starts clean (a broken one, or an aborted
        // transaction).
        Descartar();
        if (!(jaAberta && repetivel))
            return nullptr;
    }
    return nullptr;
}
