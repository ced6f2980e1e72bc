#include "PostgresTeste.h"

#include "ConexaoPostgres.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QUrl>

namespace {

QString UriDoEstado(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray chave = "export QUARPEL_BANCO=";
    for (const QByteArray& linha : f.readAll().split('\n'))
        if (linha.startsWith(chave))
            return QString::fromUtf8(linha.mid(chave.size()));
    return {};
}

} // namespace

QString PostgresTeste::Compartilhado()
{
    const QString estado = qEnvironmentVariable("QUARPEL_POSTGRES");
    return estado.isEmpty() ? QString() : UriDoEstado(estado);
}

QString PostgresTeste::NovoBanco(const QString& uri)
{
    const QString nome =
        QStringLiteral("teste_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
    ConexaoPostgres c(uri);
    QString erro;
    if (!c.Abrir(&erro)) {
        qWarning("PostgresTeste: %s", qPrintable(erro));
        return {};
    }
    // A name made here, not a value from outside.
    QSqlQuery q(c.Banco());
    if (!q.exec(QStringLiteral("CREATE DATABASE %1").arg(nome))) {
        qWarning("PostgresTeste: %s", qPrintable(q.lastError().text()));
        return {};
    }
    QUrl url(uri);
    url.setPath(u'/' + nome);
    return url.toString();
}

PostgresTeste::PostgresTeste()
{
    QByteArray saida;
    if (m_pasta.isValid() && Script("iniciar", &saida))
        m_uri = QString::fromUtf8(saida.trimmed());
}

PostgresTeste::~PostgresTeste()
{
    if (!m_uri.isEmpty())
        Script("parar");
}

bool PostgresTeste::Script(const char* acao, QByteArray* saida)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral("bash"), {QStringLiteral(QUARPEL_POSTGRES_TEMPORARIO),
                                     QString::fromLatin1(acao), m_pasta.filePath("estado")});
    const bool ok =
        p.waitForFinished(120'000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (saida)
        *saida = p.readAllStandardOutput();
    return ok;
}
