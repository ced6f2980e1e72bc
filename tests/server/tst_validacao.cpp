#include "Validacao.h"

#include <QTest>

class TstValidacao : public QObject
{
    Q_OBJECT
private slots:
    void campos_data()
    {
        QTest::addColumn<bool>("email");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aceito");
        QTest::newRow("login: 4 caracteres") << false << QString("abcd") << true;
        QTest::newRow("login: 12 caracteres") << false << QString("abcdefghijkl") << true;
        QTest::newRow("login: 3 caracteres") << false << QString("abc") << false;
        QTest::newRow("login: 13 caracteres") << false << QString("abcdefghijklm") << false;
        QTest::newRow("login: pontuação permitida") << false << QString("a.b-c_d") << true;
        QTest::newRow("login: acentos são letras") << false << QString("joão") << true;
        QTest::newRow("login: começa com _") << false << QString("_abcd") << false;
        QTest::newRow("login: começa com *") << false << QString("*abcd") << false;
        QTest::newRow("login: _ no meio") << false << QString("ab_cd") << true;
        QTest::newRow("login: espaço") << false << QString("ab cd") << false;
        QTest::newRow("login: aspas") << false << QString("ab'cd") << false;
        QTest::newRow("login: sobrescrito não é dígito") << false << QString("abc²") << false;
        QTest::newRow("login: controle") << false << QString("abc\x01") << false;
        QTest::newRow("login: arroba") << false << QString("a@bcd") << false;
        QTest::newRow("e-mail: simples") << true << QString("a@b.com") << true;
        QTest::newRow("e-mail: subdomínio")
            << true << QString("nome.sobrenome@mail.b.com.br") << true;
        QTest::newRow("e-mail: sem arroba") << true << QString("ab.com") << false;
        QTest::newRow("e-mail: duas arrobas") << true << QString("a@b@c.com") << false;
        QTest::newRow("e-mail: sem ponto no domínio") << true << QString("a@bcom") << false;
        QTest::newRow("e-mail: domínio começa com ponto") << true << QString("a@.com") << false;
        QTest::newRow("e-mail: domínio termina com ponto") << true << QString("a@b.") << false;
        QTest::newRow("e-mail: pontos seguidos") << true << QString("a@b..com") << false;
        QTest::newRow("e-mail: sem usuário") << true << QString("@b.com") << false;
        QTest::newRow("e-mail: espaço") << true << QString("a b@c.com") << false;
        QTest::newRow("e-mail: quebra de linha") << true << QString("a@b.com\n") << false;
        QTest::newRow("e-mail: 50 caracteres")
            << true << QString(44, u'e') + QString("@b.com") << true;
        QTest::newRow("e-mail: 51 caracteres")
            << true << QString(45, u'e') + QString("@b.com") << false;
    }
    void campos()
    {
        QFETCH(bool, email);
        QFETCH(QString, texto);
        QFETCH(bool, aceito);
        QCOMPARE(!(email ? Validacao::Email(texto) : Validacao::Login(texto)).has_value(), aceito);
    }
};

QTEST_GUILESS_MAIN(TstValidacao)
#include "tst_validacao.moc"
