#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "FuncoesComuns.h"
#include "LogTeste.h"
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
    void initTestCase() { LogTeste::Instalar(); }

    void init()
    {
        m_servidor = std::make_unique<ServidorTeste>();
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

    void quemQuebraOFormatoCai_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("logado");
        QTest::newRow("tamanho abaixo de 10") << QByteArray::fromHex("00000009") + "obVer" << false;
        QTest::newRow("campo passa do fim")
            << QByteArray::fromHex("00000011") + "slBla" + QByteArray::fromHex("0100000009") + "abc"
            << true;
    }
    void quemQuebraOFormatoCai()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, logado);
        auto intruso = logado ? ClienteTeste::NoSaguao(m_servidor->Porta(), "intruso")
                              : std::make_unique<ClienteTeste>();
        QVERIFY(intruso && (logado || intruso->Conectar(m_servidor->Porta())));
        QVERIFY(ClienteTeste::Acertar({m_bom.get()}));
        intruso->EnviarBytes(bytes);
        QVERIFY(intruso->EsperarDesconexao());
        // The others go on; the lobby list lost only the intruder, whose account is free again.
        m_parceiro->EnviarTextos("slBla", {"tudo bem?"});
        QCOMPARE(m_bom->Esperar("slMsg")->Texto(2), "tudo bem?");
        if (logado) {
            QCOMPARE(m_bom->Esperar("hlInf")->argumentos, (QList<QByteArray>{"2", "bom1", "bom2"}));
            ClienteTeste volta;
            QVERIFY(volta.Conectar(m_servidor->Porta()));
            QCOMPARE(volta.Logar("intruso", "senha1"), "intruso");
        }
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
        QVERIFY(EsperarAte([&] { return m_bom->NaoLidas("jgInf").size() == 1; }));
        const qsizetype antes = LogTeste::Linhas().size();
        const auto caiu = [&] {
            return LogTeste::Linhas().mid(antes).join(u'\n').contains("não lê");
        };
        QByteArray bloco;
        for (int i = 0; i < 1000; ++i)
            bloco += MontarMensagem("slBla", {QByteArray(70, 'z')});
        // Up to 24 MB of chat: more than the kernel buffers and the server's cap together hold.
        for (int i = 0; i < 250 && !caiu(); ++i) {
            m_bom->EnviarBytes(bloco);
            QVERIFY(EsperarAte([&] { return m_parceiro->NaoLidas("slMsg").size() >= 1000; }));
            m_parceiro->Descartar();
        }
        QVERIFY(caiu());
        // He is gone from the room.
        QVERIFY(EsperarAte([&] {
            const auto info = m_bom->NaoLidas("jgInf");
            return info.size() == 2 && info[1].Texto(5).isEmpty();
        }));
    }
};

QTEST_GUILESS_MAIN(TstFluxo)
#include "tst_fluxo.moc"
