#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "FuncoesComuns.h"
#include "ServidorTeste.h"
#include "Versao.h"

#include <QTest>

// What the server does with a byte stream that is not what a client sends.
class TstFluxo : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;
    std::unique_ptr<ClienteTeste> m_bom, m_parceiro;

private slots:
    void init()
    {
        // Whoever has not read for a second has stopped reading.
        m_servidor = std::make_unique<ServidorTeste>([](Configuracao& c) { c.tempoSemLerS = 1; });
        auto sala = ClienteTeste::NaSala(m_servidor->Porta(), {"bom1", "bom2"}, "Mesa");
        QVERIFY(sala.size() == 2);
        m_bom = std::move(sala[0]);
        m_parceiro = std::move(sala[1]);
    }

    void cleanup()
    {
        m_bom.reset();
        m_parceiro.reset();
        m_servidor.reset();
    }

    // A length past the limit: the intruder is dropped, the others go on, the lobby list loses
    // only him and his account is free again.
    void quemQuebraOFormatoCai()
    {
        auto intruso = ClienteTeste::NoSaguao(m_servidor->Porta(), "intruso");
        QVERIFY(intruso && ClienteTeste::Acertar({m_bom.get()}));
        intruso->EnviarBytes(QByteArray::fromHex("00100000") + "nvImg");
        QVERIFY(intruso->EsperarDesconexao());
        m_parceiro->EnviarTextos("slBla", {"tudo bem?"});
        QCOMPARE(m_bom->Esperar("slMsg")->Texto(2), "tudo bem?");
        QCOMPARE(m_bom->Esperar("hlInf")->argumentos, (QList<QByteArray>{"2", "bom1", "bom2"}));
        ClienteTeste volta;
        QVERIFY(volta.Conectar(m_servidor->Porta()));
        QCOMPARE(volta.Logar("intruso", "senha1"), "intruso");
        // Bytes left over after the fields its count declares break the format as well.
        QByteArray sobra = MontarMensagem("slBla", {"oi"}) + "!";
        volta.EnviarBytes(sobra.replace(0, 4, CodificarTamanho(qint32(sobra.size()))));
        QVERIFY(volta.EsperarDesconexao());
    }

    // A new client sends everything at once: the login's password check runs off the event loop,
    // and what follows it waits for it, in order.
    void rajadaEsperaOLogin()
    {
        ClienteTeste apressado;
        QVERIFY(apressado.Conectar(m_servidor->Porta()));
        apressado.EnviarBytes(MontarMensagem("nvAcc", {"Nome", "rapido", "senha1", "r@r.com"}) +
                              MontarMensagem("Login", {"rapido", "senha1", kVersaoQuarpel}) +
                              MontarMensagem("Entra", {"Mesa", ""}) +
                              MontarMensagem("slBla", {"cheguei"}));
        QCOMPARE(m_parceiro->Esperar("slMsg")->Texto(2), "cheguei");
        QVERIFY(apressado.Sincronizar());
        QCOMPARE(apressado.ComandosNaoLidos(),
                 (QList<QByteArray>{"okAcc", "Setar", "imLoc", "slInf", "hlInf", "okEnt", "jgInf",
                                    "slMsg"}));
    }

    void quemNaoLeCai()
    {
        // Logs in by hand and then never reads again: what the server sends him piles up.
        QTcpSocket surdo;
        surdo.setReadBufferSize(1);
        surdo.connectToHost(QHostAddress::LocalHost, m_servidor->Porta());
        QVERIFY(surdo.waitForConnected(ClienteTeste::kEspera));
        // A small kernel buffer too, or the system would take tens of megabytes for him.
        surdo.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 8192);
        surdo.write(MontarMensagem("nvAcc", {"Surdo", "surdo", "senha1", "s@s.com"}) +
                    MontarMensagem("Login", {"surdo", "senha1", kVersaoQuarpel}) +
                    MontarMensagem("Entra", {"Mesa", ""}));
        QVERIFY(m_parceiro->Esperar("jgInf")); // he sat down
        QByteArray bloco;
        for (int i = 0; i < 1000; ++i)
            bloco += MontarMensagem("slBla", {QByteArray(70, 'z')});
        // Chat for as long as it takes: what waits for him is not more than the server keeps for
        // a peer behind, but he takes none of it, and the server drops him and tells the room.
        bool caiu = false;
        for (QDeadlineTimer prazo(20'000); !prazo.hasExpired() && !caiu;) {
            m_bom->EnviarBytes(bloco);
            QVERIFY(EsperarAte([&] { return m_parceiro->NaoLidas("slMsg").size() >= 1000; }));
            caiu = !m_parceiro->NaoLidas("jgInf").isEmpty();
            m_bom->Descartar();
            m_parceiro->Descartar();
        }
        QVERIFY(caiu);
    }
};

QTEST_GUILESS_MAIN(TstFluxo)
#include "tst_fluxo.moc"
