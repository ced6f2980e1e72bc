#include "Texto.h"

#include <QTest>

// Windows-1252 through the tables: every byte comes back as itself, and what the code page cannot
// hold travels as one '?' per character.
class TstTexto : public QObject
{
    Q_OBJECT

private slots:
    void todoByteIdaEVolta()
    {
        QByteArray todos(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            todos[b] = char(b);
        const QString texto = Texto::DeBytes(todos);
        QCOMPARE(texto.size(), 256);
        QCOMPARE(texto.at(0x80), QChar(0x20AC));
        QCOMPARE(Texto::ParaBytes(texto), todos);
    }

    void foraDoCodigo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ideograma") << QStringLiteral("a中b") << QByteArray("a?b");
        QTest::newRow("par de substitutos") << QString::fromUtf8("a😀b") << QByteArray("a?b");
        QTest::newRow("substituto sozinho")
            << (QStringLiteral("a") + QChar(0xD83D)) << QByteArray("a?");
        QTest::newRow("latim estendido") << QStringLiteral("Āé") << QByteArray("?\xE9");
    }

    void foraDoCodigo()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Texto::ParaBytes(texto), bytes);
    }
};

QTEST_APPLESS_MAIN(TstTexto)
#include "tst_texto.moc"
