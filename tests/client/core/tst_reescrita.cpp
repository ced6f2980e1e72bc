#include "Bancada.h"

#include <QTest>

// "Setar" decodes a value into the stored string itself: a rewrite (here under another spelling of
// the key) must leave nothing of the old value behind and must not reach a copy a reader holds.
class TstReescrita : public QObject
{
    Q_OBJECT

private slots:
    void reescreverVariavel_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QByteArray>("depois");
        QTest::newRow("mais curto") << QByteArray("abcdef") << QByteArray("xy");
        QTest::newRow("vazio") << QByteArray("abc") << QByteArray();
        QTest::newRow("mais longo, acento") << QByteArray("a") << QByteArray("Ol\xE1 todos");
    }

    void reescreverVariavel()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QByteArray, depois);
        Bancada b;
        QVERIFY(b.Receber(Msg("Setar", {"Pt", antes})));
        const QString lido = b.cliente->Variaveis("pt");
        QVERIFY(b.Receber(Msg("Setar", {"PT", depois})));
        QCOMPARE(b.cliente->Variaveis("pT"), QString::fromLatin1(depois));
        QCOMPARE(lido, QString::fromLatin1(antes));
    }
};

QTEST_MAIN(TstReescrita)
#include "tst_reescrita.moc"
