#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "FuncoesComuns.h"
#include "LogTeste.h"
#include "ServidorTeste.h"
#include "Versao.h"

#include <QRandomGenerator>
#include <QTest>

// What the server does with a byte stream that is not what a client sends.
class TstFluxo : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;
    std::unique_ptr<ClienteTeste> m_bom, m_parceiro;

    static QStringList Avisos() { return LogTeste::Linhas(true); }

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
        QTest::newRow("tamanho de 2^31") << QByteArray::fromHex("80000000") + "obVer" << false;
        QTest::newRow("grande demais") << QByteArray::fromHex("00100000") + "nvImg" << true;
        QTest::newRow("contagem maior que os campos")
            << QByteArray::fromHex("0000000E") + "slBla" + QByteArray::fromHex("0200000000")
            << true;
        QTest::newRow("campo passa do fim")
            << QByteArray::fromHex("00000011") + "slBla" + QByteArray::fromHex("0100000009") + "abc"
            << true;
        QTest::newRow("campo a mais")
            << QByteArray::fromHex("00000012") + "slBla" + QByteArray::fromHex("010000000000000000")
            << true;
        QByteArray lixo(3000, '\0');
        QRandomGenerator gerador(7);
        for (char& b : lixo)
            b = char(gerador.bounded(256));
        lixo[0] = '\x7F';
        QTest::newRow("lixo") << lixo << false;
    }

    void quemQuebraOFormatoCai()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, logado);
        auto intruso = std::make_unique<ClienteTeste>();
        if (logado)
            intruso = ClienteTeste::NoSaguao(m_servidor->Porta(), "intruso");
        QVERIFY(intruso && (logado || intruso->Conectar(m_servidor->Porta())));
        QVERIFY(ClienteTeste::Acertar({m_bom.get()}));
        const qsizetype avisosAntes = Avisos().size();
        intruso->EnviarBytes(bytes);
        QVERIFY(intruso->EsperarDesconexao());
        QCOMPARE(Avisos().size(), avisosAntes + 1);
        QVERIFY2(Avisos().last().contains(QLatin1String("Desconectando")),
                 qPrintable(Avisos().last()));

        // The others go on: the room chats, the lobby list lost only the intruder.
        m_parceiro->EnviarTextos("slBla", {"tudo bem?"});
        QCOMPARE(m_bom->Esperar("slMsg")->Texto(2), "tudo bem?");
        if (logado) {
            QCOMPARE(m_bom->Esperar("hlInf")->argumentos, (QList<QByteArray>{"2", "bom1", "bom2"}));
            // The intruder's account is free again.
            ClienteTeste volta;
            QVERIFY(volta.Conectar(m_servidor->Porta()));
            QCOMPARE(volta.Logar("intruso", "senha1"), "intruso");
        }
    }

    void mensagemEmPedacosEEmRajada()
    {
        // One byte at a time.
        const QByteArray chat = MontarMensagem("slBla", {"aos poucos"});
        for (const char b : chat)
            m_bom->EnviarBytes(QByteArray(1, b));
        QCOMPARE(m_parceiro->Esperar("slMsg")->Texto(2), "aos poucos");
        // Half a message from someone else holds nobody up.
        ClienteTeste lento;
        QVERIFY(lento.Conectar(m_servidor->Porta()));
        lento.EnviarBytes(MontarMensagem("obVer", {}).left(6));
        m_bom->EnviarTextos("slBla", {"sigo aqui"});
        QCOMPARE(m_parceiro->Esperar("slMsg")->Texto(2), "sigo aqui");
        lento.EnviarBytes(MontarMensagem("obVer", {}).mid(6));
        QVERIFY(lento.Esperar("utVer"));

        // A new client sends everything at once: the login's password check runs off the event
        // loop, and what follows it waits for it, in order.
        ClienteTeste apressado;
        QVERIFY(apressado.Conectar(m_servidor->Porta()));
        QByteArray rajada = MontarMensagem("nvAcc", {"Nome", "rapido", "senha1", "r@r.com"});
        rajada += MontarMensagem("Login", {"rapido", "senha1", kVersaoQuarpel});
        rajada += MontarMensagem("Entra", {"Mesa", ""});
        rajada += MontarMensagem("xxxxx", {"desconhecido"});
        rajada += MontarMensagem("slBla", {"cheguei"});
        apressado.EnviarBytes(rajada);
        QCOMPARE(m_parceiro->Esperar("slMsg")->Texto(2), "cheguei");
        QVERIFY(apressado.Sincronizar());
        QCOMPARE(apressado.ComandosNaoLidos(),
                 (QList<QByteArray>{"okAcc", "Setar", "imLoc", "slInf", "hlInf", "okEnt", "jgInf",
                                    "slMsg"}));
        QVERIFY(apressado.Conectado());
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
        QVERIFY(EsperarAte([&] { return m_bom->NaoLidas("jgInf").size() == 1; },
                           ClienteTeste::kEspera));

        const qsizetype avisosAntes = Avisos().size();
        const auto caiu = [&] { return Avisos().mid(avisosAntes).join(u'\n').contains("não lê"); };
        const QByteArray linha = MontarMensagem("slBla", {QByteArray(70, 'z')});
        QByteArray bloco;
        for (int i = 0; i < 1000; ++i)
            bloco += linha;
        // Up to 24 MB of chat: more than the kernel buffers and the server's cap together hold.
        for (int i = 0; i < 250 && !caiu(); ++i) {
            m_bom->EnviarBytes(bloco);
            QVERIFY(EsperarAte([&] { return m_parceiro->NaoLidas("slMsg").size() >= 1000; },
                               ClienteTeste::kEspera));
            m_parceiro->Descartar();
        }
        QVERIFY(caiu());
        // He is gone from the room and from the players on line.
        QVERIFY(EsperarAte(
            [&] {
                const QList<MensagemTeste>& todas = m_parceiro->Recebidas();
                const auto info = std::find_if(todas.crbegin(), todas.crend(),
                                               [](const auto& m) { return m.comando == "jgInf"; });
                return info != todas.crend() && info->Texto(5).isEmpty() &&
                       info->Texto(3) == QLatin1String("bom2");
            },
            ClienteTeste::kEspera));
        QVERIFY(m_bom->Sincronizar());
        m_bom->Descartar();
        m_parceiro->EnviarTextos("slBla", {"ainda aqui"});
        QCOMPARE(m_bom->Esperar("slMsg")->Texto(2), "ainda aqui");
    }
};

QTEST_GUILESS_MAIN(TstFluxo)
#include "tst_fluxo.moc"
