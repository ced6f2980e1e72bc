#include "Validacao.h"

#include <QTest>

class TstValidacao : public QObject
{
    Q_OBJECT
private slots:
    void logins_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<bool>("aceito");
        QTest::newRow("4 caracteres") << QStringLiteral("abcd") << true;
        QTest::newRow("12 caracteres") << QStringLiteral("abcdefghijkl") << true;
        QTest::newRow("3 caracteres") << QStringLiteral("abc") << false;
        QTest::newRow("13 caracteres") << QStringLiteral("abcdefghijklm") << false;
        QTest::newRow("pontuação permitida") << QStringLiteral("a.b-c_d") << true;
        QTest::newRow("acentos são letras") << QStringLiteral("joão") << true;
        QTest::newRow("começa com _") << QStringLiteral("_abcd") << false;
        QTest::newRow("começa com *") << QStringLiteral("*abcd") << false;
        QTest::newRow("_ no meio") << QStringLiteral("ab_cd") << true;
        QTest::newRow("espaço") << QStringLiteral("ab cd") << false;
        QTest::newRow("aspas") << QStringLiteral("ab'cd") << false;
        QTest::newRow("sobrescrito não é dígito") << QStringLiteral("abc²") << false;
        QTest::newRow("controle") << QStringLiteral("abc\x01") << false;
        QTest::newRow("arroba") << QStringLiteral("a@bcd") << false;
    }
    void logins()
    {
        QFETCH(QString, login);
        QFETCH(bool, aceito);
        QCOMPARE(!Validacao::Login(login).has_value(), aceito);
    }

    void emails_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<bool>("aceito");
        QTest::newRow("simples") << QStringLiteral("a@b.com") << true;
        QTest::newRow("subdomínio") << QStringLiteral("nome.sobrenome@mail.b.com.br") << true;
        QTest::newRow("sem arroba") << QStringLiteral("ab.com") << false;
        QTest::newRow("duas arrobas") << QStringLiteral("a@b@c.com") << false;
        QTest::newRow("sem ponto no domínio") << QStringLiteral("a@bcom") << false;
        QTest::newRow("domínio começa com ponto") << QStringLiteral("a@.com") << false;
        QTest::newRow("domínio termina com ponto") << QStringLiteral("a@b.") << false;
        QTest::newRow("pontos seguidos") << QStringLiteral("a@b..com") << false;
        QTest::newRow("sem usuário") << QStringLiteral("@b.com") << false;
        QTest::newRow("espaço") << QStringLiteral("a b@c.com") << false;
        QTest::newRow("quebra de linha") << QStringLiteral("a@b.com\n") << false;
        QTest::newRow("50 caracteres") << QString(44, u'e') + QStringLiteral("@b.com") << true;
        QTest::newRow("51 caracteres") << QString(45, u'e') + QStringLiteral("@b.com") << false;
    }
    void emails()
    {
        QFETCH(QString, email);
        QFETCH(bool, aceito);
        QCOMPARE(!Validacao::Email(email).has_value(), aceito);
    }
};

QTEST_GUILESS_MAIN(TstValidacao)
#include "tst_validacao.moc"
