// Whole games against the real server: four people, people with bots, and people leaving or
// dropping in the middle of a hand. Every client checks what it hears with a VerificadorJogo.
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "ServidorTeste.h"
#include "VerificadorJogo.h"

#include <QTest>
#include <memory>
#include <set>

namespace {

struct Pessoa
{
    QString login;
    std::shared_ptr<ClienteTeste> cliente;
    std::unique_ptr<VerificadorJogo> verificador;
    QList<MensagemTeste> jogo; // everything heard since "Start", in order
    bool saiu = false;
    bool pedeTruco = false;
    bool aceita = true;
};

QStringList Logins(const MensagemTeste& jgInf)
{
    QStringList l;
    for (int i = 1; i <= 4; ++i)
        l << jgInf.Texto(2 * i - 1);
    return l;
}

} // namespace

class TstJogos : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;
    std::vector<std::unique_ptr<Pessoa>> m_pessoas;

    Pessoa* Entrar(const QString& login)
    {
        auto p = std::make_unique<Pessoa>();
        p->login = login;
        p->cliente = std::make_shared<ClienteTeste>();
        if (!p->cliente->Conectar(m_servidor->Porta()) ||
            !p->cliente->CriarConta(login, QStringLiteral("senha1")) ||
            !p->cliente->LogarNoSaguao(login, QStringLiteral("senha1")))
            return nullptr;
        m_pessoas.push_back(std::move(p));
        return m_pessoas.back().get();
    }

    // The first person creates the room, the others enter it; then the host starts. Those not
    // yet logged in are logged in first.
    bool Mesa(const QStringList& logins)
    {
        for (const QString& l : logins)
            if (!Entrar(l))
                return false;
        if (m_pessoas[0]->cliente->CriarSala(QStringLiteral("Mesa verde")) != QLatin1String("OK"))
            return false;
        for (size_t i = 1; i < m_pessoas.size(); ++i) {
            m_pessoas[i]->cliente->EnviarTextos("Entra", {QStringLiteral("Mesa verde"), {}});
            if (!m_pessoas[i]->cliente->Esperar("okEnt"))
                return false;
        }
        for (const auto& p : m_pessoas) {
            if (!p->cliente->Sincronizar())
                return false;
            p->cliente->Descartar();
        }
        m_pessoas[0]->cliente->Enviar("Start");
        return true;
    }

    // Hands each person's messages to his checker and sends its answers, until condicao holds.
    template <typename Condicao> bool Jogar(Condicao condicao, int ms = 60000)
    {
        return EsperarAte(
            [&] {
                for (const auto& p : m_pessoas) {
                    if (p->saiu)
                        continue;
                    while (!p->cliente->NaoLidas().isEmpty()) {
                        const MensagemTeste m = *p->cliente->Proxima(0);
                        p->jogo << m;
                        Ouvir(*p, m);
                    }
                }
                return condicao();
            },
            ms);
    }

    void Ouvir(Pessoa& p, const MensagemTeste& m)
    {
        if (m.comando == "jgInf") {
            const QStringList logins = Logins(m);
            if (!p.verificador) {
                std::array<QString, 4> a;
                for (int i = 0; i < 4; ++i)
                    a[i] = logins[i];
                p.verificador = std::make_unique<VerificadorJogo>(logins.indexOf(p.login), a);
                p.verificador->PedirTruco(p.pedeTruco);
                p.verificador->Aceitar(p.aceita);
            } else {
                for (int i = 0; i < 4; ++i)
                    if (!logins[i].isEmpty())
                        p.verificador->TrocarLogin(i, logins[i]);
            }
            return;
        }
        if (!p.verificador)
            return;
        if (auto r = p.verificador->Receber(m.comando, m.argumentos))
            p.cliente->Enviar(r->comando, r->argumentos);
    }

    // Everyone still here has heard all that the server sent so far.
    bool Escutar()
    {
        for (const auto& p : m_pessoas)
            if (!p->saiu && !p->cliente->Sincronizar())
                return false;
        return Jogar([] { return true; });
    }

    static QList<QStringList> Assentos(const Pessoa& p)
    {
        QList<QStringList> l;
        for (const auto& m : p.jogo)
            if (m.comando == "jgInf")
                l << Logins(m);
        return l;
    }

    bool TodosTerminaram() const
    {
        for (const auto& p : m_pessoas)
            if (!p->saiu && !(p->verificador && p->verificador->Terminou()))
                return false;
        return true;
    }

    void VerificarSemErros()
    {
        for (const auto& p : m_pessoas) {
            QVERIFY(p->verificador);
            QVERIFY2(p->verificador->Erros().isEmpty(),
                     qPrintable(p->login + ": " + p->verificador->Erros().join('\n')));
        }
    }

    static QList<QByteArray> Comandos(const QList<MensagemTeste>& ms)
    {
        QList<QByteArray> c;
        for (const auto& m : ms)
            c << m.comando;
        return c;
    }

private slots:
    void init()
    {
        m_servidor = std::make_unique<ServidorTeste>();
        QVERIFY(m_servidor->Iniciado());
    }

    void cleanup()
    {
        m_pessoas.clear();
        m_servidor.reset();
    }

    void quatroPessoasAteOFim()
    {
        // Ana and Davi call truco on their first turn of each hand; Bia refuses every call and
        // hand of eleven, Davi accepts, and whichever answer reaches the server first counts.
        QVERIFY(Entrar("ana1") && Entrar("bia1") && Entrar("caio") && Entrar("davi"));
        m_pessoas[0]->pedeTruco = m_pessoas[3]->pedeTruco = true;
        m_pessoas[1]->aceita = false;
        QVERIFY(Mesa({}));
        QVERIFY(Jogar([&] { return TodosTerminaram(); }));
        VerificarSemErros();

        const int vencedora = m_pessoas[0]->verificador->EquipeVencedora();
        for (const auto& p : m_pessoas) {
            QCOMPARE(p->verificador->EquipeVencedora(), vencedora);
            QCOMPARE(p->verificador->Pontos(), m_pessoas[0]->verificador->Pontos());
            QVERIFY(p->verificador->CartasProprias() > 0);
            const auto c = Comandos(p->jogo);
            // The start: seats, the game, a deal; a turn before any card.
            QCOMPARE(c.mid(0, 2), (QList<QByteArray>{"jgInf", "cmJog"}));
            QVERIFY(c[2] == "cmPrt" || c[2] == "cmM11");
            QVERIFY(c.indexOf("Setar") < c.indexOf("Carta"));
            QVERIFY(c.contains("Truco"));
        }
        // Each hand's four deals share no card: nobody was sent another's hand.
        std::vector<QList<MensagemTeste>> deals(4);
        for (int j = 0; j < 4; ++j)
            for (const auto& m : m_pessoas[j]->jogo)
                if (m.comando == "cmPrt" || m.comando == "cmM11")
                    deals[j] << m;
        for (int k = 0; k < deals[0].size(); ++k) {
            std::set<int> cartas;
            int conhecidas = 0;
            for (int j = 0; j < 4; ++j) {
                QCOMPARE(deals[j][k].Argumento(1), deals[0][k].Argumento(1));
                for (int i = 2; i <= 4; ++i) {
                    const int c = deals[j][k].Argumento(i).toInt();
                    if (c) {
                        cartas.insert(c);
                        ++conhecidas;
                    }
                }
            }
            QCOMPARE(int(cartas.size()), conhecidas);
        }
        // The game is over: the host may start another.
        auto& dono = *m_pessoas[0]->cliente;
        dono.Enviar("Start");
        QVERIFY(dono.Esperar("cmJog"));
    }

    void comRobos_data()
    {
        QTest::addColumn<QStringList>("pessoas");
        QTest::newRow("três robôs") << QStringList{"solo"};
        QTest::newRow("dois robôs") << QStringList{"dupla1", "dupla2"};
        QTest::newRow("um robô") << QStringList{"trio1", "trio2", "trio3"};
    }

    void comRobos()
    {
        QFETCH(QStringList, pessoas);
        QVERIFY(Mesa(pessoas));
        QVERIFY(Jogar([&] { return TodosTerminaram(); }));
        VerificarSemErros();
        for (const auto& p : m_pessoas) {
            // The bots sat in the free seats for the game and stood up after it.
            const MensagemTeste& primeiro = p->jogo.first();
            QCOMPARE(primeiro.comando, QByteArray("jgInf"));
            const QStringList noJogo = Logins(primeiro);
            for (int i = 0; i < 4; ++i) {
                if (i < pessoas.size())
                    QCOMPARE(noJogo[i], pessoas[i]);
                else
                    QCOMPARE(noJogo[i], QStringLiteral("Robô %1").arg(i + 1));
            }
        }
        QVERIFY(Escutar());
        QStringList livres{pessoas};
        while (livres.size() < 4)
            livres << QString();
        for (const auto& p : m_pessoas)
            QCOMPARE(Assentos(*p).last(), livres);
    }

    void quemCaiVirarobo()
    {
        QVERIFY(Mesa({"fica", "cai1"}));
        Pessoa& cai = *m_pessoas[1];
        // He drops after his first card.
        QVERIFY(Jogar([&] { return cai.verificador && cai.verificador->CartasProprias() >= 1; }));
        cai.cliente->Desconectar();
        cai.saiu = true;
        QVERIFY(Jogar([&] { return TodosTerminaram(); }));
        VerificarSemErros();
        QVERIFY(Escutar());
        const auto assentos = Assentos(*m_pessoas[0]);
        QVERIFY(assentos.contains(QStringList{"fica", "Robô 2", "Robô 3", "Robô 4"}));
        // After the game only he is left in the room.
        QCOMPARE(assentos.last(), (QStringList{"fica", "", "", ""}));
    }

    void donoSaiNoMeioEPassaAVez()
    {
        QVERIFY(Mesa({"dono", "hospede"}));
        Pessoa& dono = *m_pessoas[0];
        Pessoa& hospede = *m_pessoas[1];
        QVERIFY(Jogar([&] { return dono.verificador && dono.verificador->CartasProprias() >= 1; }));
        dono.cliente->Enviar("slSai");
        dono.saiu = true;
        QVERIFY(dono.cliente->Esperar("slInf"));
        QVERIFY(Jogar([&] { return TodosTerminaram(); }));
        QVERIFY2(hospede.verificador->Erros().isEmpty(),
                 qPrintable(hospede.verificador->Erros().join('\n')));
        // During the game a bot holds seat 1; after it the guest moves there and is host.
        QVERIFY(Escutar());
        const auto seats = Assentos(hospede);
        QVERIFY(seats.contains(QStringList{"Robô 1", "hospede", "Robô 3", "Robô 4"}));
        QCOMPARE(seats.last(), (QStringList{"hospede", "", "", ""}));
        hospede.cliente->Enviar("Start");
        QVERIFY(hospede.cliente->Esperar("cmJog"));
    }

    void ultimaPessoaSaiEASalaFecha()
    {
        QVERIFY(Entrar("olheiro"));
        auto olheiro = m_pessoas[0]->cliente;
        m_pessoas.clear();
        QVERIFY(Mesa({"sozinho"}));
        Pessoa& p = *m_pessoas[0];
        QVERIFY(Jogar([&] { return p.verificador && p.verificador->CartasProprias() >= 1; }));
        p.cliente->Enviar("slSai");
        p.saiu = true;
        QVERIFY(p.cliente->Esperar("slInf"));
        // The bots do not keep the room: it is gone from the lobby, and its name is free again.
        QVERIFY(olheiro->Sincronizar());
        const auto listas = olheiro->NaoLidas("slInf");
        QVERIFY(!listas.isEmpty());
        QCOMPARE(listas.last().Texto(1), QStringLiteral("0"));
        p.cliente->Descartar();
        QCOMPARE(p.cliente->CriarSala(QStringLiteral("Mesa verde")), QStringLiteral("OK"));
    }

    void recusasDoComeco()
    {
        QVERIFY(Entrar("chefe") && Entrar("outro") && Entrar("atrasado"));
        auto& chefe = *m_pessoas[0]->cliente;
        auto& outro = *m_pessoas[1]->cliente;
        auto& atrasado = *m_pessoas[2]->cliente;
        QCOMPARE(chefe.CriarSala(QStringLiteral("Sala")), QStringLiteral("OK"));
        outro.EnviarTextos("Entra", {QStringLiteral("Sala"), {}});
        QVERIFY(outro.Esperar("okEnt"));
        // Start outside a room: nothing.
        atrasado.Enviar("Start");
        QVERIFY(atrasado.Sincronizar());
        QVERIFY(atrasado.NaoLidas("erCmJ").isEmpty());

        outro.Enviar("Start");
        auto m = outro.Esperar("erCmJ");
        QVERIFY(m);
        QVERIFY(!m->Texto(1).isEmpty());
        QVERIFY(outro.Sincronizar());
        QVERIFY(outro.NaoLidas("cmJog").isEmpty());

        chefe.Enviar("Start");
        QVERIFY(chefe.Esperar("cmJog"));
        chefe.Enviar("Start");
        m = chefe.Esperar("erCmJ");
        QVERIFY(m);
        QCOMPARE(m->Texto(1), QStringLiteral("O jogo já começou"));
        // The lobby sees the game, and nobody gets in.
        QVERIFY(atrasado.Sincronizar());
        const auto listas = atrasado.NaoLidas("slInf");
        QVERIFY(!listas.isEmpty());
        QVERIFY(listas.last().Texto(3).endsWith(QStringLiteral(" - em jogo")));
        atrasado.EnviarTextos("Entra", {QStringLiteral("Sala"), {}});
        QVERIFY(atrasado.Esperar("erEnt"));
    }

    void cartasMalFormadasNaoDerrubamNada()
    {
        QVERIFY(Mesa({"firme"}));
        Pessoa& p = *m_pessoas[0];
        QVERIFY(Jogar([&] { return p.verificador && p.verificador->CartasProprias() >= 1; }));
        for (const QList<QByteArray>& a : QList<QList<QByteArray>>{
                 {}, {"9", "False"}, {"-1", "True"}, {"abc", "x"}, {"0"}, {QByteArray(5000, '1')}})
            p.cliente->Enviar("Carta", a);
        p.cliente->Enviar("tcSim");
        p.cliente->Enviar("tcNao");
        p.cliente->Enviar("Truco", {"lixo"});
        QVERIFY(Jogar([&] { return TodosTerminaram(); }));
        VerificarSemErros();
    }
};

QTEST_GUILESS_MAIN(TstJogos)
#include "tst_jogos.moc"
