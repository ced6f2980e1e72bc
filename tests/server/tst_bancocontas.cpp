#include "BancoContas.h"
#include "HashSenha.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

Conta Nova(const QString& login, const QString& nome = QStringLiteral("Nome"))
{
    Conta c;
    c.login = login;
    c.nome = nome;
    c.email = QStringLiteral("a@b.com");
    c.hashSenha = *HashSenha(HashSenha::Custo::Minimo).Gerar("senha1");
    return c;
}

} // namespace

class TstBancoContas : public QObject
{
    Q_OBJECT
private slots:
    void loginUnicoETextoHostilComoDado()
    {
        QTemporaryDir pasta;
        BancoContas banco;
        QString erro;
        QVERIFY2(banco.Abrir(pasta.filePath(QStringLiteral("sub/dados")), &erro), qPrintable(erro));
        QCOMPARE(banco.Criar(Nova(QStringLiteral("Zeca"))), BancoContas::Criacao::Criada);
        QCOMPARE(banco.Criar(Nova(QStringLiteral("zECA"))), BancoContas::Criacao::LoginEmUso);
        // Hostile text is data, never SQL.
        const QString hostil = QStringLiteral("x'); DROP TABLE contas; --");
        QCOMPARE(banco.Criar(Nova(QStringLiteral("hostil"), hostil)), BancoContas::Criacao::Criada);
        QCOMPARE(banco.Buscar(QStringLiteral("HOSTIL"))->nome, hostil);
        QVERIFY(!banco.Buscar(QStringLiteral("' OR 1=1 --")));

        const std::optional<Conta> zeca = banco.Buscar(QStringLiteral("ZECA"));
        QVERIFY(zeca);
        QCOMPARE(zeca->login, QStringLiteral("Zeca"));
        QVERIFY(!banco.TrocarFoto(zeca->id + 1000, QByteArray(7803, 'f')));
    }

    void persisteEmWal()
    {
        QTemporaryDir pasta;
        QString erro;
        {
            BancoContas banco;
            QVERIFY(banco.Abrir(pasta.path(), &erro));
            QCOMPARE(banco.Criar(Nova(QStringLiteral("dura"))), BancoContas::Criacao::Criada);
        }
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("olhar"));
            db.setDatabaseName(pasta.filePath(BancoContas::NomeArquivo()));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("wal"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("olhar"));
        BancoContas outro;
        QVERIFY(outro.Abrir(pasta.path(), &erro));
        QVERIFY(outro.Buscar(QStringLiteral("DURA")));
    }

    void pastaImpossivel()
    {
        QTemporaryDir pasta;
        QFile arquivo(pasta.filePath(QStringLiteral("arquivo")));
        QVERIFY(arquivo.open(QIODevice::WriteOnly));
        arquivo.close();
        BancoContas banco;
        QString erro;
        QVERIFY(!banco.Abrir(pasta.filePath(QStringLiteral("arquivo/dados")), &erro));
        QVERIFY(!erro.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstBancoContas)
#include "tst_bancocontas.moc"
