#include "CPacker.h"
#include "ErroProtocolo.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TstCPacker : public QObject
{
    Q_OBJECT

    QStringList m_falhas;

    // A connected pair on loopback: the packer writes to `cliente`, the test reads `par`.
    struct Par
    {
        QTcpServer servidor;
        QTcpSocket cliente;
        QTcpSocket* par = nullptr;
    };
    void conectar(Par& p)
    {
        QVERIFY(p.servidor.listen(QHostAddress::LocalHost));
        p.cliente.connectToHost(QHostAddress::LocalHost, p.servidor.serverPort());
        QVERIFY(p.cliente.waitForConnected(5000));
        QVERIFY(p.servidor.waitForNewConnection(5000));
        p.par = p.servidor.nextPendingConnection();
    }
    QByteArray receber(Par& p, int bytes)
    {
        QByteArray r;
        p.cliente.flush();
        while (r.size() < bytes && p.par->waitForReadyRead(5000))
            r += p.par->readAll();
        return r;
    }

private slots:
    void falhasDoProgramaVaoAoTratador()
    {
        CPacker c;
        c.SetTratadorFalha([this](const QString& t) { m_falhas << t; });
        c.SetArgumentos(1);
        c.Enviar("obVer");
        QCOMPARE(m_falhas, QStringList{"Empacotador inativo"});
        QCOMPARE(c.Argumentos(), quint8(0));

        QTcpSocket solto;
        c.Setup(&solto);
        c.Enviar("obVe");
        c.Enviar("obVerX");
        QCOMPARE(m_falhas.size(), 3);
        QCOMPARE(m_falhas[1], QStringLiteral("O comando deve ter 5 caracteres"));
        QCOMPARE(m_falhas[2], QStringLiteral("O comando deve ter 5 caracteres"));
    }

    void semConexaoDescartaEZeraContagem()
    {
        CPacker c;
        c.SetTratadorFalha([this](const QString& t) { m_falhas << t; });
        QTcpSocket solto;
        c.Setup(&solto);
        m_falhas.clear();
        c.SetArgumentos(2);
        c.SetArgumento(1, "a");
        c.Enviar("nvSal");
        QCOMPARE(c.Argumentos(), quint8(0));
        QVERIFY(m_falhas.isEmpty());
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
        Par p;
        conectar(p);
        CPacker c;
        c.Setup(&p.cliente);
        c.Enviar("obVer");
        QCOMPARE(receber(p, 10), QByteArray::fromHex("0000000a6f62566572 00"));

        c.SetArgumentos(1);
        c.SetArgumento(1, "abc");
        c.Enviar("slBla");
        c.Enviar("obVer"); // every Enviar leaves N at 0
        QCOMPARE(receber(p, 27), QByteArray::fromHex("00000011736c426c6101 00000003616263"
                                                     "0000000a6f62566572 00"));
    }
};

QTEST_GUILESS_MAIN(TstCPacker)
#include "tst_cpacker.moc"
