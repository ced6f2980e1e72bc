#include "BancoContas.h"
#include "HashSenha.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

Conta Nova(const QString& login, const QString& nome = "Nome")
{
    Conta c;
    c.login = login;
    c.nome = nome;
    c.email = "a@b.com";
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
        QVERIFY2(banco.Abrir(pasta.filePath("sub/dados"), &erro), qPrintable(erro));
        QCOMPARE(banco.Criar(Nova("Zeca")), BancoContas::Criacao::Criada);
        QCOMPARE(banco.Criar(Nova("zECA")), BancoContas::Criacao::LoginEmUso);
        // Hostile text is data, never SQL.
        const QString hostil = "x'); DROP TABLE contas; --";
        QCOMPARE(banco.Criar(Nova("hostil", hostil)), BancoContas::Criacao::Criada);
        QCOMPARE(banco.Buscar("HOSTIL")->nome, hostil);
        QVERIFY(!banco.Buscar("' OR 1=1 --"));

        const std::optional<Conta> zeca = banco.Buscar("ZECA");
        QVERIFY(zeca);
        QCOMPARE(zeca->login, "Zeca");
        QVERIFY(!banco.TrocarFoto(zeca->id + 1000, QByteArray(7803, 'f')));
        // A data folder that cannot be made.
        BancoContas outro;
        QVERIFY(
            !outro.Abrir(pasta.filePath("sub/dados/" + BancoContas::NomeArquivo() + "/x"), &erro));
        QVERIFY(!erro.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstBancoContas)
#include "tst_bancocontas.moc"
