#include "ClienteTeste.h"
#include "ServidorTeste.h"

#include <QTest>

namespace {

// The rooms of an "slInf" as "name|players|password flag|hidden flag".
QStringList Salas(const MensagemTeste& m)
{
    QStringList salas;
    for (int i = 2; i + 3 <= m.argumentos.size(); i += 4)
        salas << QStringList{m.Texto(i), m.Texto(i + 1), m.Texto(i + 2), m.Texto(i + 3)}.join('|');
    return salas;
}

// The logins of a "jgInf", one per seat, empty for a free seat.
QStringList Assentos(const std::optional<MensagemTeste>& m)
{
    return m ? QStringList{m->Texto(1), m->Texto(3), m->Texto(5), m->Texto(7)} : QStringList{};
}

MensagemTeste Ultima(const ClienteTeste& c, QByteArrayView comando)
{
    for (auto m = c.Recebidas().crbegin(); m != c.Recebidas().crend(); ++m)
        if (m->comando == comando)
            return *m;
    return {};
}

} // namespace

class TstSalasServidor : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;
    std::vector<std::unique_ptr<ClienteTeste>> m_clientes;

    ClienteTeste* Entrar(const QString& login)
    {
        m_clientes.push_back(ClienteTeste::NoSaguao(m_servidor->Porta(), login));
        return m_clientes.back().get();
    }

    // Everyone has received and taken what the steps so far sent him.
    bool Acertar()
    {
        QList<ClienteTeste*> todos;
        for (const auto& c : m_clientes)
            todos << c.get();
        return ClienteTeste::Acertar(todos);
    }

    QList<ClienteTeste*> Sala(const QStringList& logins, const QString& senha = {})
    {
        QList<ClienteTeste*> c;
        for (auto& novo : ClienteTeste::NaSala(m_servidor->Porta(), logins, "Mesa", senha))
            c << m_clientes.emplace_back(std::move(novo)).get();
        return Acertar() ? c : QList<ClienteTeste*>{};
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

    void saguaoSalasEConversa()
    {
        auto ana = Entrar("ana1");
        auto bia = Entrar("bia1");
        QVERIFY(ana && bia);
        QCOMPARE(ana->Esperar("hlInf")->argumentos, (QList<QByteArray>{"2", "ana1", "bia1"}));
        QCOMPARE(ana->CriarSala("Mesa Um", "pw"), "OK");
        QCOMPARE(Assentos(ana->Esperar("jgInf")), (QStringList{"ana1", "", "", ""}));
        QCOMPARE(Salas(*bia->Esperar("slInf")), QStringList{"Mesa Um|1/4|True|0"});
        // A newcomer sees the room and everyone, also those in rooms.
        auto caio = Entrar("caio");
        QVERIFY(caio);
        QCOMPARE(Salas(Ultima(*caio, "slInf")), QStringList{"Mesa Um|1/4|True|0"});
        QCOMPARE(ana->Esperar("hlInf")->argumentos,
                 (QList<QByteArray>{"3", "ana1", "bia1", "caio"}));
        QVERIFY(Acertar());
        QCOMPARE(caio->CriarSala("Aberta"), "OK");
        QVERIFY(bia->EntrarNaSala("Aberta", "qualquer")); // an open room takes any password
        QCOMPARE(Assentos(caio->Esperar("jgInf")), (QStringList{"caio", "", "", ""}));
        QCOMPARE(Assentos(caio->Esperar("jgInf")), (QStringList{"caio", "bia1", "", ""}));
        QVERIFY(Acertar());
        // A line reaches its room only. Too long for the chat box, empty, with a line break that
        // would forge someone else's line, or with a control character (U+0081): dropped.
        const QString frase = "Olá, truco é ótimo!";
        bia->EnviarTextos("slBla", {frase});
        QCOMPARE(caio->Esperar("slMsg")->argumentos,
                 (QList<QByteArray>{"bia1", Texto::ParaBytes(frase)}));
        ana->EnviarTextos("slBla", {QString(70, u'z')});
        QCOMPARE(ana->Esperar("slMsg")->Texto(2), QString(70, u'z'));
        ana->EnviarTextos("slBla", {QString(71, u'z')});
        ana->EnviarTextos("slBla", {""});
        ana->EnviarTextos("slBla", {"oi\r\nbia1: eu perdi"});
        ana->Enviar("slBla", {"oi\x81"});
        QVERIFY(ana->Sincronizar() && bia->Sincronizar() && caio->Sincronizar());
        QCOMPARE(bia->Esperar("slMsg")->Texto(2), frase);
        for (auto c : {ana, bia, caio})
            QVERIFY(c->NaoLidas("slMsg").isEmpty());
        // The leaver gets "slInf" and then "hlInf"; the room its "jgInf".
        bia->Enviar("slSai");
        QVERIFY(bia->Sincronizar() && caio->Sincronizar());
        QCOMPARE(bia->ComandosNaoLidos(), (QList<QByteArray>{"slInf", "hlInf"}));
        QCOMPARE(Salas(*bia->Esperar("slInf")),
                 (QStringList{"Mesa Um|1/4|True|0", "Aberta|1/4|False|0"}));
        QCOMPARE(caio->ComandosNaoLidos(), QList<QByteArray>{"jgInf"});
    }

    void salasCheiasVemDepois()
    {
        QVERIFY(!Sala({"jog0", "jog1", "jog2", "jog3"}).isEmpty());
        auto outro = Entrar("outro");
        QVERIFY(outro && outro->CriarSala("Livre") == "OK");
        auto olhador = Entrar("olhador");
        QVERIFY(olhador);
        QCOMPARE(Salas(Ultima(*olhador, "slInf")),
                 (QStringList{"Livre|1/4|False|0", "Mesa|4/4|False|0"}));
        olhador->EnviarTextos("Entra", {"mesa", ""});
        QCOMPARE(olhador->Esperar("erEnt")->Texto(1), "A sala está cheia");
    }

    void recusas()
    {
        auto dono = Entrar("dono");
        auto vis = Entrar("visita");
        QVERIFY(dono && vis);
        QCOMPARE(dono->CriarSala("Fechada", "abc"), "OK");
        QVERIFY(Acertar());
        const std::pair<QStringList, QString> entradas[] = {
            {{"Fechada", ""}, "Senha incorreta"},
            {{"Sumiu", "abc"}, "Esta sala não existe mais"},
            {{"Fechada"}, "Dados da sala incompletos"}};
        for (const auto& [campos, motivo] : entradas) {
            vis->EnviarTextos("Entra", campos);
            QCOMPARE(vis->Esperar("erEnt")->Texto(1), motivo);
        }
        const std::pair<QStringList, QString> salas[] = {
            {{"FECHADA", ""}, "_Já existe uma sala com este nome"},
            {{"a\r\nb", ""}, "_O nome da sala contém caracteres inválidos"},
            {{"Nova", QString(11, u's')}, "_A senha da sala pode ter no máximo 10 caracteres"},
            {{"Nova"}, "_Dados da sala incompletos"}};
        for (const auto& [campos, resposta] : salas) {
            vis->EnviarTextos("nvSal", campos);
            QCOMPARE(vis->Esperar("Setar")->Texto(2), resposta);
        }
        QVERIFY(dono->Sincronizar() && vis->Sincronizar());
        QVERIFY(dono->NaoLidas().isEmpty() && vis->NaoLidas().isEmpty());
        // The limits themselves pass; once seated, neither another entry nor a new room.
        QCOMPARE(vis->CriarSala(QString(50, u'n'), QString(10, u's')), "OK");
        vis->EnviarTextos("Entra", {"Fechada", "abc"});
        QCOMPARE(vis->Esperar("erEnt")->Texto(1), "Você já está em uma sala");
        QCOMPARE(vis->CriarSala("Outra"), "_Você já está em uma sala");
    }

    void trocaDeAssentosEOAnfitriaoQueSai()
    {
        auto fora = Entrar("fora");
        const auto s = Sala({"host", "par1", "par2"}, "x");
        QVERIFY(fora && s.size() == 3);
        auto [h, p, q] = std::tuple(s[0], s[1], s[2]);
        h->EnviarTextos("Troca", {"1", "3"});
        QCOMPARE(Assentos(p->Esperar("jgInf")), (QStringList{"host", "", "par2", "par1"}));
        h->EnviarTextos("Troca", {"2", "1"});
        QCOMPARE(Assentos(p->Esperar("jgInf")), (QStringList{"host", "par2", "", "par1"}));
        QVERIFY(Acertar());

        // A guest, the host's own seat, out-of-range or malformed seats: ignored.
        p->EnviarTextos("Troca", {"1", "2"});
        for (const QStringList& a : QList<QStringList>{
                 {"0", "2"}, {"1", "4"}, {"-1", "2"}, {"1 ", "2"}, {"1"}, {"2", "2"}})
            h->EnviarTextos("Troca", a);
        QVERIFY(h->Sincronizar() && p->Sincronizar() && q->Sincronizar());
        for (auto c : {h, p, q})
            QCOMPARE(c->NaoLidas("jgInf").size(), 0);
        h->EnviarTextos("Troca", {"2", "1"});
        QVERIFY(Acertar());

        // Seats: host, -, par2, par1. The host leaves; the next in seat order, par2, takes over.
        h->Enviar("slSai");
        QCOMPARE(Assentos(q->Esperar("jgInf")), (QStringList{"par2", "", "", "par1"}));
        QCOMPARE(Salas(*fora->Esperar("slInf")), QStringList{"Mesa|2/4|True|0"});
        QVERIFY(Acertar());
        q->EnviarTextos("Troca", {"3", "1"});
        QCOMPARE(Assentos(p->Esperar("jgInf")), (QStringList{"par2", "par1", "", ""}));

        // The host drops: the last person takes seat 1; when he leaves the room closes.
        q->Desconectar();
        QCOMPARE(Assentos(p->Esperar("jgInf")), (QStringList{"par1", "", "", ""}));
        QVERIFY(Acertar());
        p->Enviar("slSai");
        QCOMPARE(Salas(*fora->Esperar("slInf")), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TstSalasServidor)
#include "tst_salasservidor.moc"
