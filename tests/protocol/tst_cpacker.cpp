#include "CPacker.h"
#include "ErroProtocolo.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TstCPacker : public QObject
{
    Q_OBJECT
private slots:
    void falhasDoProgramaVaoAoTratador()
    {
        QStringList falhas;
        CPacker c;
        c.SetTratadorFalha([&falhas](const QString& t) { falhas << t; });
        c.SetArgumentos(1);
        c.Enviar("obVer");
        QCOMPARE(falhas, QStringList{"Empacotador inativo"});
        QCOMPARE(c.Argumentos(), quint8(0));

        QTcpSocket solto;
        c.Setup(&solto);
        c.Enviar("obVe");
        c.Enviar("obVerX");
        const QString tamanho = "O comando deve ter 5 caracteres";
        QCOMPARE(falhas, (QStringList{"Empacotador inativo", tamanho, tamanho}));

        // With no connection a message is dropped quietly and the count still goes back to 0.
        c.SetArgumentos(2);
        c.SetArgumento(1, "a");
        c.Enviar("nvSal");
        QCOMPARE(c.Argumentos(), quint8(0));
        QCOMPARE(falhas.size(), 3);
        QCOMPARE(solto.bytesToWrite(), 0);
    }

    void slotsForaDoIntervalo()
    {
        CPacker c;
        c.SetArgumentos(2);
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, c.SetArgumento(3, "x"));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, c.Argumento(0));
        c.SetArgumento(2, "b");
        QCOMPARE(c.Argumento(2), QByteArray("b"));
        // Setting the count to 0 keeps the slots; a non-zero count renews them.
        c.SetArgumentos(0);
        QCOMPARE(c.Argumento(2), QByteArray("b"));
        c.SetArgumentos(2);
        QCOMPARE(c.Argumento(2), QByteArray());
    }

    void bytesNoFio()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        QTcpSocket cliente;
        cliente.connectToHost(QHostAddress::LocalHost, servidor.serverPort());
        QVERIFY(cliente.waitForConnected(5000) && servidor.waitForNewConnection(5000));
        QTcpSocket* par = servidor.nextPendingConnection();
        CPacker c;
        c.Setup(&cliente);
        c.SetArgumentos(1);
        c.SetArgumento(1, "abc");
        c.Enviar("slBla");
        c.Enviar("obVer"); // every Enviar leaves N at 0
        cliente.flush();
        const QByteArray esperado =
            QByteArray::fromHex("00000011736c426c6101 00000003616263 0000000a6f62566572 00");
        QByteArray recebido;
        while (recebido.size() < esperado.size() && par->waitForReadyRead(5000))
            recebido += par->readAll();
        QCOMPARE(recebido, esperado);
    }
};

QTEST_GUILESS_MAIN(TstCPacker)
#include "tst_cpacker.moc"
