#include "ClienteTeste.h"
#include "ServidorTeste.h"

#include <QTest>
#include <memory>

namespace {

// The rooms of an "slInf" as "name|players|password flag|hidden flag".
QStringList Salas(const MensagemTeste& m)
{
    QStringList salas;
    const int n = m.Texto(1).toInt();
    for (int r = 0; r < n; ++r)
        salas << QStringList{m.Texto(4 * r + 2), m.Texto(4 * r + 3), m.Texto(4 * r + 4),
                             m.Texto(4 * r + 5)}
                     .join(u'|');
    return salas;
}

// The logins of a "jgInf", one per seat, empty for a free seat.
QStringList Assentos(const MensagemTeste& m)
{
    return {m.Texto(1), m.Texto(3), m.Texto(5), m.Texto(7)};
}

// The last message of a command that c received, taken or not.
MensagemTeste Ultima(const ClienteTeste& c, QByteArrayView comando)
{
    const QList<MensagemTeste>& todas = c.Recebidas();
    for (qsizetype i = todas.size() - 1; i >= 0; --i)
        if (todas[i].comando == comando)
            return todas[i];
    return {};
}

QStringList Jogadores(const MensagemTeste& m)
{
    QStringList logins;
    for (int i = 0; i < m.Texto(1).toInt(); ++i)
        logins << m.Texto(i + 2);
    return logins;
}

} // namespace

class TstSalas : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;
    QList<std::shared_ptr<ClienteTeste>> m_clientes;

    // A new client logged in with its own account, its login replies already taken.
    std::shared_ptr<ClienteTeste> Entrar(const QString& login)
    {
        auto c = std::make_shared<ClienteTeste>();
        if (!c->Conectar(m_servidor->Porta()) || !c->CriarConta(login, QStringLiteral("senha1")) ||
            !c->LogarNoSaguao(login, QStringLiteral("senha1")))
            return nullptr;
        m_clientes << c;
        return c;
    }

    // Everyone has received what the steps so far sent him.
    bool Sincronizar()
    {
        for (const auto& c : std::as_const(m_clientes))
            if (c->Conectado() && !c->Sincronizar())
                return false;
        return true;
    }

    void DescartarTudo()
    {
        for (const auto& c : std::as_const(m_clientes))
            c->Descartar();
    }

private slots:
    void init()
    {
        m_servidor = std::make_unique<ServidorTeste>();
        QVERIFY(m_servidor->Iniciado());
    }
    void cleanup()
    {
        m_clientes.clear();
        m_servidor.reset();
    }

    void listasDoSaguaoAcompanhamCadaMudanca()
    {
        auto ana = Entrar(QStringLiteral("ana1"));
        QVERIFY(ana);
        auto bia = Entrar(QStringLiteral("bia1"));
        QVERIFY(bia);
        QCOMPARE(Jogadores(*ana->Esperar("hlInf")), (QStringList{"ana1", "bia1"}));

        QCOMPARE(ana->CriarSala(QStringLiteral("Mesa Um"), QStringLiteral("pw")),
                 QStringLiteral("OK"));
        QCOMPARE(Assentos(*ana->Esperar("jgInf")), (QStringList{"ana1", "", "", ""}));
        QCOMPARE(Salas(*bia->Esperar("slInf")), QStringList{"Mesa Um|1/4|True|0"});

        auto caio = Entrar(QStringLiteral("caio"));
        QVERIFY(caio);
        QVERIFY(Sincronizar());
        // He arrives seeing the room and everyone, also those in rooms.
        QCOMPARE(Salas(Ultima(*caio, "slInf")), QStringList{"Mesa Um|1/4|True|0"});
        QCOMPARE(Jogadores(*bia->Esperar("hlInf")), (QStringList{"ana1", "bia1", "caio"}));
        QCOMPARE(Jogadores(*ana->Esperar("hlInf")), (QStringList{"ana1", "bia1", "caio"}));
        DescartarTudo();

        QCOMPARE(caio->CriarSala(QStringLiteral("Aberta")), QStringLiteral("OK"));
        QCOMPARE(Salas(*bia->Esperar("slInf")),
                 (QStringList{"Mesa Um|1/4|True|0", "Aberta|1/4|False|0"}));
        bia->EnviarTextos("Entra", {QStringLiteral("Aberta"), QString()});
        QCOMPARE(bia->Esperar("okEnt")->Texto(1), QStringLiteral("Aberta"));
        QCOMPARE(Assentos(*bia->Esperar("jgInf")), (QStringList{"caio", "bia1", "", ""}));
        QVERIFY(Sincronizar());
        // The one in a room is not sent the lobby's room list; nobody is left in the lobby.
        QVERIFY(ana->NaoLidas("slInf").isEmpty());
        QVERIFY(bia->NaoLidas("slInf").isEmpty());
        QCOMPARE(Assentos(*caio->Esperar("jgInf")), (QStringList{"caio", "", "", ""}));
        QCOMPARE(Assentos(*caio->Esperar("jgInf")), (QStringList{"caio", "bia1", "", ""}));

        // Leaving: the room its "jgInf", the leaver "slInf" and then "hlInf".
        DescartarTudo();
        bia->Enviar("slSai");
        QVERIFY(Sincronizar());
        QCOMPARE(bia->ComandosNaoLidos(), (QList<QByteArray>{"slInf", "hlInf"}));
        QCOMPARE(Salas(*bia->Esperar("slInf")),
                 (QStringList{"Mesa Um|1/4|True|0", "Aberta|1/4|False|0"}));
        QCOMPARE(Assentos(*caio->Esperar("jgInf")), (QStringList{"caio", "", "", ""}));
        QCOMPARE(caio->NaoLidas("slInf").size(), 0);

        // A disconnection: everyone gets the new list of players, the lobby the new rooms.
        DescartarTudo();
        caio->Desconectar();
        QVERIFY(caio->EsperarDesconexao());
        const auto jogadores = bia->Esperar("hlInf");
        QVERIFY(jogadores);
        QCOMPARE(Jogadores(*jogadores), (QStringList{"ana1", "bia1"}));
        QCOMPARE(Salas(*bia->Esperar("slInf")), QStringList{"Mesa Um|1/4|True|0"});
        QCOMPARE(Jogadores(*ana->Esperar("hlInf")), (QStringList{"ana1", "bia1"}));
    }

    void salasCheiasVemDepoisENoMaximo63()
    {
        // 68 players: one full room of four, and 64 rooms of one.
        QList<std::shared_ptr<ClienteTeste>> todos;
        for (int i = 0; i < 68; ++i) {
            todos << Entrar(QStringLiteral("jog%1").arg(i, 2, 10, QLatin1Char('0')));
            QVERIFY(todos.last());
        }
        QCOMPARE(todos[0]->CriarSala(QStringLiteral("Cheia")), QStringLiteral("OK"));
        for (int i = 1; i < 4; ++i) {
            todos[i]->EnviarTextos("Entra", {QStringLiteral("cheia"), QString()});
            QVERIFY(todos[i]->Esperar("okEnt"));
        }
        for (int i = 4; i < 68; ++i)
            QCOMPARE(todos[i]->CriarSala(QStringLiteral("S%1").arg(i)), QStringLiteral("OK"));
        ClienteTeste& observador = *Entrar(QStringLiteral("olhador"));
        QVERIFY(Sincronizar());
        const MensagemTeste salas = Ultima(observador, "slInf");
        QCOMPARE(salas.Texto(1), QStringLiteral("63"));
        QCOMPARE(salas.Quantos(), 1 + 4 * 63);
        const QStringList lista = Salas(salas);
        QVERIFY(!lista.contains(QStringLiteral("Cheia|4/4|False|0")));
        QCOMPARE(lista.first(), QStringLiteral("S4|1/4|False|0"));

        // The full room refuses a fifth person and changes nothing.
        observador.EnviarTextos("Entra", {QStringLiteral("Cheia"), QString()});
        QCOMPARE(observador.Esperar("erEnt")->Texto(1), QStringLiteral("A sala está cheia"));
    }

    void entrarComESemSenha()
    {
        auto dono = Entrar(QStringLiteral("dono"));
        auto vis = Entrar(QStringLiteral("visita"));
        QVERIFY(dono && vis);
        QCOMPARE(dono->CriarSala(QStringLiteral("Fechada"), QStringLiteral("abc")),
                 QStringLiteral("OK"));
        QVERIFY(Sincronizar());
        DescartarTudo();

        vis->EnviarTextos("Entra", {QStringLiteral("Fechada"), QString()});
        QCOMPARE(vis->Esperar("erEnt")->Texto(1), QStringLiteral("Senha incorreta"));
        vis->EnviarTextos("Entra", {QStringLiteral("Fechada"), QStringLiteral("ABC")});
        QCOMPARE(vis->Esperar("erEnt")->Texto(1), QStringLiteral("Senha incorreta"));
        vis->EnviarTextos("Entra", {QStringLiteral("Sumiu"), QStringLiteral("abc")});
        QCOMPARE(vis->Esperar("erEnt")->Texto(1), QStringLiteral("Esta sala não existe mais"));
        vis->EnviarTextos("Entra", {QStringLiteral("Fechada")});
        QCOMPARE(vis->Esperar("erEnt")->Texto(1), QStringLiteral("Dados da sala incompletos"));
        QVERIFY(Sincronizar());
        QVERIFY(dono->NaoLidas("jgInf").isEmpty());

        vis->EnviarTextos("Entra", {QStringLiteral("Fechada"), QStringLiteral("abc")});
        QCOMPARE(vis->Esperar("okEnt")->Texto(1), QStringLiteral("Fechada"));
        QCOMPARE(Assentos(*vis->Esperar("jgInf")), (QStringList{"dono", "visita", "", ""}));
        QCOMPARE(Assentos(*dono->Esperar("jgInf")), (QStringList{"dono", "visita", "", ""}));
        // Already seated: neither a second entry nor a new room.
        vis->EnviarTextos("Entra", {QStringLiteral("Fechada"), QStringLiteral("abc")});
        QCOMPARE(vis->Esperar("erEnt")->Texto(1), QStringLiteral("Você já está em uma sala"));
        QCOMPARE(vis->CriarSala(QStringLiteral("Outra")),
                 QStringLiteral("_Você já está em uma sala"));
    }

    void criarSalaRecusada_data()
    {
        QTest::addColumn<QStringList>("campos");
        QTest::addColumn<QString>("resposta");
        QTest::newRow("nome vazio")
            << QStringList{QString(), QString()} << QStringLiteral("_O nome da sala é obrigatório");
        QTest::newRow("nome longo")
            << QStringList{QString(51, u'x'), QString()}
            << QStringLiteral("_O nome da sala pode ter no máximo 50 caracteres");
        QTest::newRow("nome em uso") << QStringList{QStringLiteral("PRIMEIRA"), QString()}
                                     << QStringLiteral("_Já existe uma sala com este nome");
        QTest::newRow("nome com quebra de linha")
            << QStringList{QStringLiteral("a\r\nb"), QString()}
            << QStringLiteral("_O nome da sala contém caracteres inválidos");
        QTest::newRow("senha longa")
            << QStringList{QStringLiteral("Nova"), QString(11, u's')}
            << QStringLiteral("_A senha da sala pode ter no máximo 10 caracteres");
        QTest::newRow("argumentos de menos")
            << QStringList{QStringLiteral("Nova")} << QStringLiteral("_Dados da sala incompletos");
    }

    void criarSalaRecusada()
    {
        QFETCH(QStringList, campos);
        QFETCH(QString, resposta);
        auto dono = Entrar(QStringLiteral("dono"));
        auto outro = Entrar(QStringLiteral("outro"));
        QVERIFY(dono && outro);
        QCOMPARE(dono->CriarSala(QStringLiteral("Primeira")), QStringLiteral("OK"));
        QVERIFY(Sincronizar());
        DescartarTudo();
        outro->EnviarTextos("nvSal", campos);
        const auto m = outro->Esperar("Setar");
        QCOMPARE(m->Texto(1), QStringLiteral("CriandoSala"));
        QCOMPARE(m->Texto(2), resposta);
        QVERIFY(Sincronizar());
        QVERIFY(outro->NaoLidas("jgInf").isEmpty());
        QVERIFY(outro->NaoLidas("slInf").isEmpty());
        // Still in the lobby: a good name works now.
        QCOMPARE(outro->CriarSala(QStringLiteral("Boa"), QString(10, u's')), QStringLiteral("OK"));
        // Limits are the client's own boxes: 50 characters of name pass.
        auto terceiro = Entrar(QStringLiteral("terceiro"));
        QCOMPARE(terceiro->CriarSala(QString(50, u'n')), QStringLiteral("OK"));
    }

    void conversaNoSaguaoENaSala()
    {
        auto a = Entrar(QStringLiteral("alfa"));
        auto b = Entrar(QStringLiteral("beta"));
        auto c = Entrar(QStringLiteral("gama"));
        QVERIFY(a && b && c);
        QCOMPARE(a->CriarSala(QStringLiteral("Mesa")), QStringLiteral("OK"));
        b->EnviarTextos("Entra", {QStringLiteral("Mesa"), QString()});
        QVERIFY(b->Esperar("okEnt"));
        QVERIFY(Sincronizar());
        DescartarTudo();

        const QString frase = QStringLiteral("Olá, truco é ótimo!");
        b->EnviarTextos("slBla", {frase});
        const auto ouvida = a->Esperar("slMsg");
        QCOMPARE(ouvida->Texto(1), QStringLiteral("beta"));
        QCOMPARE(ouvida->Texto(2), frase);
        QCOMPARE(b->Esperar("slMsg")->Texto(2), frase);

        c->EnviarTextos("slBla", {QString(70, u'z')});
        QCOMPARE(c->Esperar("slMsg")->Texto(2), QString(70, u'z'));
        // Too long for the chat box, empty, or with a line break that would forge a line of
        // someone else: dropped.
        c->EnviarTextos("slBla", {QString(71, u'z')});
        c->EnviarTextos("slBla", {QString()});
        c->EnviarTextos("slBla", {QStringLiteral("oi\r\nalfa: eu perdi")});
        c->Enviar("slBla");
        QVERIFY(Sincronizar());
        QVERIFY(c->NaoLidas("slMsg").isEmpty());
        QVERIFY(a->NaoLidas("slMsg").isEmpty());
        QVERIFY(b->NaoLidas("slMsg").isEmpty());
    }

    void trocaDeAssentosSoPeloAnfitriao()
    {
        auto h = Entrar(QStringLiteral("host"));
        auto p = Entrar(QStringLiteral("par1"));
        auto q = Entrar(QStringLiteral("par2"));
        QVERIFY(h && p && q);
        QCOMPARE(h->CriarSala(QStringLiteral("Mesa")), QStringLiteral("OK"));
        for (auto* c : {p.get(), q.get()}) {
            c->EnviarTextos("Entra", {QStringLiteral("Mesa"), QString()});
            QVERIFY(c->Esperar("okEnt"));
        }
        QVERIFY(Sincronizar());
        DescartarTudo();

        h->EnviarTextos("Troca", {QStringLiteral("1"), QStringLiteral("3")});
        QCOMPARE(Assentos(*q->Esperar("jgInf")), (QStringList{"host", "", "par2", "par1"}));
        QCOMPARE(Assentos(*p->Esperar("jgInf")), (QStringList{"host", "", "par2", "par1"}));
        h->EnviarTextos("Troca", {QStringLiteral("2"), QStringLiteral("1")});
        QCOMPARE(Assentos(*p->Esperar("jgInf")), (QStringList{"host", "par2", "", "par1"}));
        QCOMPARE(Assentos(*h->Esperar("jgInf")), (QStringList{"host", "", "par2", "par1"}));
        QCOMPARE(Assentos(*h->Esperar("jgInf")), (QStringList{"host", "par2", "", "par1"}));
        QVERIFY(Sincronizar());
        DescartarTudo();

        // A guest, the host's own seat, out-of-range or malformed seats: ignored.
        p->EnviarTextos("Troca", {QStringLiteral("1"), QStringLiteral("2")});
        h->EnviarTextos("Troca", {QStringLiteral("0"), QStringLiteral("2")});
        h->EnviarTextos("Troca", {QStringLiteral("1"), QStringLiteral("4")});
        h->EnviarTextos("Troca", {QStringLiteral("-1"), QStringLiteral("2")});
        h->EnviarTextos("Troca", {QStringLiteral("1 "), QStringLiteral("2")});
        h->EnviarTextos("Troca", {QStringLiteral("1")});
        h->EnviarTextos("Troca", {QStringLiteral("2"), QStringLiteral("2")});
        QVERIFY(Sincronizar());
        for (const auto& c : {h, p, q})
            QCOMPARE(c->NaoLidas("jgInf").size(), 0);

        // Someone new sits in the first free seat.
        auto r = Entrar(QStringLiteral("novo"));
        r->EnviarTextos("Entra", {QStringLiteral("Mesa"), QString()});
        QCOMPARE(Assentos(*r->Esperar("jgInf")), (QStringList{"host", "par2", "novo", "par1"}));
    }

    void anfitriaoSaiEOProximoAssume()
    {
        auto h = Entrar(QStringLiteral("host"));
        auto p = Entrar(QStringLiteral("par1"));
        auto q = Entrar(QStringLiteral("par2"));
        auto fora = Entrar(QStringLiteral("fora"));
        QVERIFY(h && p && q && fora);
        QCOMPARE(h->CriarSala(QStringLiteral("Mesa"), QStringLiteral("x")), QStringLiteral("OK"));
        for (auto* c : {p.get(), q.get()}) {
            c->EnviarTextos("Entra", {QStringLiteral("Mesa"), QStringLiteral("x")});
            QVERIFY(c->Esperar("okEnt"));
        }
        h->EnviarTextos("Troca", {QStringLiteral("1"), QStringLiteral("3")});
        QVERIFY(Sincronizar());
        DescartarTudo();

        // Seats: host, -, par2, par1. The next in seat order is par2.
        h->Enviar("slSai");
        QCOMPARE(Assentos(*q->Esperar("jgInf")), (QStringList{"par2", "", "", "par1"}));
        QCOMPARE(Salas(*fora->Esperar("slInf")), QStringList{"Mesa|2/4|True|0"});
        QVERIFY(Sincronizar());
        DescartarTudo();
        // par2 holds the room now: his swap works, par1's is ignored.
        p->EnviarTextos("Troca", {QStringLiteral("3"), QStringLiteral("1")});
        QVERIFY(Sincronizar());
        QVERIFY(p->NaoLidas("jgInf").isEmpty());
        q->EnviarTextos("Troca", {QStringLiteral("3"), QStringLiteral("1")});
        QCOMPARE(Assentos(*p->Esperar("jgInf")), (QStringList{"par2", "par1", "", ""}));

        // The host drops: the last person takes seat 0; when he leaves the room closes.
        q->Desconectar();
        QCOMPARE(Assentos(*p->Esperar("jgInf")), (QStringList{"par1", "", "", ""}));
        QVERIFY(Sincronizar());
        DescartarTudo();
        p->Enviar("slSai");
        QCOMPARE(Salas(*fora->Esperar("slInf")), QStringList{});
        QCOMPARE(Salas(*p->Esperar("slInf")), QStringList{});
        fora->EnviarTextos("Entra", {QStringLiteral("Mesa"), QStringLiteral("x")});
        QCOMPARE(fora->Esperar("erEnt")->Texto(1), QStringLiteral("Esta sala não existe mais"));
        // Its name is free again.
        QCOMPARE(fora->CriarSala(QStringLiteral("mesa")), QStringLiteral("OK"));
        // Leaving when in no room does nothing.
        p->Enviar("slSai");
        QVERIFY(Sincronizar());
        QCOMPARE(p->ComandosNaoLidos(), (QList<QByteArray>{"hlInf", "slInf"}));
    }
};

QTEST_GUILESS_MAIN(TstSalas)
#include "tst_salas.moc"
