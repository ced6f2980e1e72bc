// Accounts over the wire: sign-up, login, password and picture, and what survives a restart; all
// of it with SQLite and again with PostgreSQL, where two processes also share the accounts.
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "FuncoesComuns.h"
#include "GravadorContas.h"
#include "HashSenha.h"
#include "PostgresTeste.h"
#include "ServidorTeste.h"
#include "Validacao.h"
#include "VerificadorJogo.h"

#include <QTest>
#include <QTimer>

namespace {
const QString kInvalido = "_Login ou senha inválidos";
const QString kIndisponivel = "Servidor de contas indisponível; tente de novo em instantes.";

std::function<void(Configuracao&)> NoBanco(const QString& uri)
{
    return [uri](Configuracao& c) { c.banco = uri; };
}
} // namespace

class TstContas : public QObject
{
    Q_OBJECT

    // The PostgreSQL cluster each test gets a new database in; empty: SQLite.
    const QString m_cluster;
    std::unique_ptr<ServidorTeste> m_servidor;
    // Wakes the waits that try a login again until it passes: nothing else may come meanwhile.
    QTimer m_pulso;

    static std::unique_ptr<ClienteTeste> Conectado(quint16 porta)
    {
        auto c = std::make_unique<ClienteTeste>();
        return c->Conectar(porta) ? std::move(c) : nullptr;
    }
    std::unique_ptr<ClienteTeste> Conectado() { return Conectado(m_servidor->Porta()); }

public:
    explicit TstContas(const QString& cluster = {}) : m_cluster(cluster) {}

private slots:
    void init()
    {
        QString banco;
        if (!m_cluster.isEmpty())
            QVERIFY(!(banco = PostgresTeste::NovoBanco(m_cluster)).isEmpty());
        m_servidor = std::make_unique<ServidorTeste>(NoBanco(banco));
        QVERIFY(m_servidor->Iniciado());
        m_pulso.start(250);
    }
    void cleanup() { m_servidor.reset(); }

    void validacao()
    {
        // 'L' a login, 'E' an e-mail, then whether it passes.
        const std::tuple<char, QString, bool> casos[] = {
            {'L', "abcdefghijkl", true},
            {'L', "abcdefghijklm", false},
            {'L', "a.b-c_d", true},
            {'L', "joão", true},
            {'L', "ab cd", false},
            {'L', "abc²", false},
            {'E', "nome.sobrenome@mail.b.com.br", true},
            {'E', "a@b@c.com", false},
            {'E', "a@bcom", false},
            {'E', "a@b..com", false},
            {'E', "a@b.com\n", false},
            {'E', QString(44, u'e') + "@b.com", true},
            {'E', QString(45, u'e') + "@b.com", false}};
        for (const auto& [tipo, texto, aceito] : casos)
            QVERIFY2(!(tipo == 'E' ? Validacao::Email(texto) : Validacao::Login(texto)) == aceito,
                     qPrintable(texto));
    }

    void versaoECadastroELogin()
    {
        auto c = Conectado();
        QVERIFY(c);
        c->Enviar("obVer");
        QCOMPARE(c->Esperar("utVer")->Texto(1), m_servidor->Servidor().Config().versaoCliente);
        QVERIFY(c->CriarConta("JoãoSilva", "segredo1"));
        // The login comes back as stored, whatever case it is typed in.
        QCOMPARE(c->Logar("joÃOsilva", "segredo1"), "JoãoSilva");
        QCOMPARE(c->ComandosNaoLidos(), (QList<QByteArray>{"imLoc", "slInf", "hlInf"}));
        QCOMPARE(c->Esperar("imLoc")->argumentos, QList<QByteArray>{""});
        QCOMPARE(c->Esperar("slInf")->argumentos, QList<QByteArray>{"0"});
        QCOMPARE(c->Esperar("hlInf")->argumentos, (QList<QByteArray>{"1", "Jo\xe3oSilva"}));
    }

    // More sign-ups than one group still waiting when the writer stops: all are written.
    void gravadorTerminaAFila()
    {
        const QByteArray hash = *HashSenha(HashSenha::Custo::Minimo).Gerar("senha1");
        {
            GravadorContas g(m_servidor->Servidor().Config().Contas());
            for (size_t i = 0; i <= GravadorContas::kGrupoMaximo; ++i)
                g.Criar({0, QStringLiteral("fila%1").arg(i), "N", "n@q.br", hash, {}}, this,
                        [](BancoContas::Criacao) {});
        }
        auto c = Conectado();
        QCOMPARE(c->Logar("fila512", "senha1"), "fila512");
    }

    void cadastroRecusado()
    {
        auto c = Conectado();
        QVERIFY(c && c->CriarConta("dono", "senha1"));
        const QString ok = "senha1", email = "a@b.com", nome = "Nome";
        const std::pair<QStringList, QString> casos[] = {
            {{nome, "DONO", ok, email}, "Este login já está em uso"},
            {{nome, "abc", ok, email}, "O login deve ter de 4 a 12 caracteres"},
            {{nome, "_abcd", ok, email}, "O Login não pode começar com '_' ou '*'"},
            {{QString(51, u'n'), "novo1", ok, email}, "O nome pode ter no máximo 50 caracteres"},
            {{nome, "novo1", "abc", email}, "A senha deve ter de 4 a 12 caracteres"},
            {{nome, "novo1", ok, "ab.com"}, "O e-mail não é válido"},
            {{nome, "novo1", ok}, "Preencha todos os campos"}};
        for (const auto& [campos, motivo] : casos) {
            c->EnviarTextos("nvAcc", campos);
            QCOMPARE(c->Esperar("erCNC")->Texto(1), motivo);
        }
        // Nothing was created.
        QCOMPARE(c->Logar("novo1", "senha1"), kInvalido);
    }

    void loginRecusado()
    {
        auto a = Conectado();
        QVERIFY(a && a->CriarConta("maria", "senha1"));
        for (const auto& [login, senha] :
             QList<std::pair<QString, QString>>{{"maria", "Senha1"},
                                                {"ninguem", "senha1"},
                                                {"maria", ""},
                                                {"maria' OR '1'='1", "x' OR '1'='1"}})
            QCOMPARE(a->Logar(login, senha), kInvalido);
        QVERIFY(a->Logar("maria", "senha1", "0.0.0.1")
                    .contains(m_servidor->Servidor().Config().versaoCliente));
        // None of these logged in: a lobby command is still ignored.
        a->EnviarTextos("nvSal", {"sala", ""});
        QVERIFY(a->Sincronizar());
        QVERIFY(a->NaoLidas().isEmpty());

        QCOMPARE(a->Logar("MARIA", "senha1"), "maria");
        // A second "Login" on a logged-in connection is refused; "nvAcc" is ignored.
        a->EnviarTextos("Login",
                        {"maria", "senha1", m_servidor->Servidor().Config().versaoCliente});
        a->EnviarTextos("nvAcc", {"N", "maria2", "senha1", "m@m.com"});
        QVERIFY(a->Sincronizar());
        QCOMPARE(a->ComandosNaoLidos(), (QList<QByteArray>{"imLoc", "slInf", "hlInf", "Setar"}));
        QCOMPARE(a->NaoLidas("Setar").last().Texto(2), "_Você já está conectado");
        a->Descartar();
        auto b = Conectado();
        QVERIFY(b);
        QCOMPARE(b->Logar("Maria", "senha1"), "_Este login já está conectado");
        // The first session is undisturbed; once it leaves, the account may log in again.
        QVERIFY(a->Sincronizar());
        QVERIFY(a->NaoLidas("hlInf").isEmpty());
        a->Desconectar();
        QVERIFY(EsperarAte([&] { return b->Logar("maria", "senha1") == "maria"; }));
    }

    void fotoETrocaDeSenhaSobrevivemAoReinicio()
    {
        auto sala = ClienteTeste::NaSala(m_servidor->Porta(), {"anfi", "convidado"}, "mesa");
        QVERIFY(sala.size() == 2);
        auto a = std::move(sala[0]), b = std::move(sala[1]);
        QByteArray foto;
        for (int i = 0; i < 7803; ++i)
            foto += char(i * 7);
        // Not 7803 bytes: ignored.
        b->Enviar("nvImg", {foto.left(7802)});
        b->Enviar("nvImg", {foto + 'x'});
        QVERIFY(b->Sincronizar() && a->Sincronizar());
        QVERIFY(a->NaoLidas().isEmpty() && b->NaoLidas().isEmpty());
        b->Enviar("nvImg", {foto});
        QCOMPARE(b->Esperar("imLoc")->Argumento(1), foto);
        const auto info = a->Esperar("jgInf");
        QCOMPARE(info->argumentos.mid(0, 4), (QList<QByteArray>{"anfi", "", "convidado", foto}));
        b->EnviarTextos("nvSen", {"abc"});
        b->EnviarTextos("nvSen", {"trocada123"});
        QVERIFY(b->Sincronizar());
        a.reset();
        b.reset();

        QVERIFY(m_servidor->Reiniciar());
        auto c = Conectado();
        QVERIFY(c && !c->CriarConta("ANFI", "senha9"));
        QCOMPARE(c->Logar("convidado", "senha1"), kInvalido);
        QCOMPARE(c->Logar("convidado", "trocada123"), "convidado");
        QCOMPARE(c->Esperar("imLoc")->Argumento(1), foto);
    }

    void doisProcessosNoMesmoBanco()
    {
        if (m_cluster.isEmpty())
            QSKIP("só com PostgreSQL");
        ServidorTeste b(NoBanco(m_servidor->Servidor().Config().banco));
        QVERIFY(b.Iniciado());
        auto a1 = Conectado(), b1 = Conectado(b.Porta());
        QVERIFY(a1 && b1);
        QVERIFY(a1->CriarConta("viajante", "senha1"));
        b1->EnviarTextos("nvAcc", {"Outro", "VIAJANTE", "senha2", "o@q.br"});
        QCOMPARE(b1->Esperar("erCNC")->Texto(1), "Este login já está em uso");
        QCOMPARE(b1->Logar("Viajante", "senha1"), "viajante");
        // Connected once in the whole service: free again on A once he leaves B.
        QCOMPARE(a1->Logar("viajante", "senha1"), "_Este login já está conectado");
        b1->Desconectar();
        QVERIFY(EsperarAte([&] { return a1->Logar("viajante", "senha1") == "viajante"; }));
        QCOMPARE(b1->Conectar(b.Porta()) ? b1->Logar("viajante", "senha1") : QString(),
                 "_Este login já está conectado");
    }

    void saguaoEntreProcessos()
    {
        if (m_cluster.isEmpty())
            QSKIP("só com PostgreSQL");
        ServidorTeste b(NoBanco(m_servidor->Servidor().Config().banco));
        QVERIFY(b.Iniciado());
        auto a1 = ClienteTeste::NoSaguao(m_servidor->Porta(), "anita");
        auto b1 = ClienteTeste::NoSaguao(b.Porta(), "bruna");
        auto b2 = ClienteTeste::NoSaguao(b.Porta(), "caio");
        QVERIFY(a1 && b1 && b2);
        // What is done on one process, and what someone in the lobby of the other sees of it.
        const std::tuple<std::function<void()>, ClienteTeste*, const char*, QByteArray> casos[] = {
            {[] {}, b1.get(), "hlInf", "anita"},
            {[] {}, a1.get(), "hlInf", "caio"},
            {[&] { a1->EnviarTextos("slBla", {"oi de A"}); }, b1.get(), "slMsg", "oi de A"},
            {[&] { b1->EnviarTextos("slBla", {"oi de B"}); }, a1.get(), "slMsg", "oi de B"},
            {[&] {
                 b2->EnviarTextos("nvSal", {"Mesa de B", "chave"});
             },
             a1.get(), "slInf", "Mesa de B"},
        };
        const auto viu = [](ClienteTeste* quem, const char* comando, const QByteArray& texto) {
            return EsperarAte([&] {
                const QList<MensagemTeste> l = quem->NaoLidas(comando);
                return !l.isEmpty() && l.last().argumentos.contains(texto);
            });
        };
        for (const auto& [fazer, quem, comando, texto] : casos) {
            fazer();
            QVERIFY2(viu(quem, comando, texto), texto.constData());
        }
        // The name is taken in the whole service.
        QCOMPARE(a1->CriarSala("mesa de b"), "_Já existe uma sala com este nome");

        // A's player, relayed to B, plays a whole game with B's host and two bots, then is back
        // in A's lobby.
        a1->EnviarTextos("Entra", {"Mesa de B", "errada"});
        const auto recusa = a1->Esperar("erEnt");
        QVERIFY(recusa && recusa->Texto(1) == "Senha incorreta");
        // What he says in the same breath, before the relay has reached B, is not lost.
        a1->EnviarBytes(MontarMensagem("Entra", {"Mesa de B", "chave"}) +
                        MontarMensagem("slBla", {"cheguei"}));
        QVERIFY(a1->Esperar("okEnt") && viu(b2.get(), "slMsg", "cheguei"));
        QVERIFY(ClienteTeste::Acertar({a1.get(), b2.get()}));
        b2->Enviar("Start");
        std::pair<ClienteTeste*, std::unique_ptr<VerificadorJogo>> mesa[] = {{a1.get(), nullptr},
                                                                             {b2.get(), nullptr}};
        const auto terminaram = [&] {
            for (auto& [c, v] : mesa) {
                while (!c->NaoLidas().isEmpty()) {
                    const MensagemTeste m = *c->Esperar({}, 0);
                    const QStringList l{m.Texto(1), m.Texto(3), m.Texto(5), m.Texto(7)};
                    if (m.comando == "jgInf" && !v)
                        v = std::make_unique<VerificadorJogo>(
                            l.indexOf(c == a1.get() ? "anita" : "caio"),
                            std::array<QString, 4>{l[0], l[1], l[2], l[3]});
                    else if (v && m.comando != "jgInf")
                        if (auto r = v->Receber(m.comando, m.argumentos))
                            c->Enviar(r->comando, r->argumentos);
                }
            }
            return mesa[0].second && mesa[0].second->Terminou() && mesa[1].second->Terminou();
        };
        QVERIFY(EsperarAte(terminaram, 60000));
        QVERIFY2(mesa[0].second->Erros().isEmpty(), qPrintable(mesa[0].second->Erros().join('\n')));
        a1->Enviar("slSai");
        QVERIFY(a1->Esperar("slInf") && a1->Esperar("hlInf"));
        a1->EnviarTextos("slBla", {"voltei"});
        QVERIFY(viu(b1.get(), "slMsg", "voltei"));
    }

    void bancoIndisponivelERecuperado()
    {
        if (m_cluster.isEmpty())
            QSKIP("só com PostgreSQL");
        PostgresTeste pg;
        QVERIFY(!pg.Uri().isEmpty());
        ServidorTeste s(NoBanco(pg.Uri()));
        QVERIFY(s.Iniciado());
        auto sala = ClienteTeste::NaSala(s.Porta(), {"ficou"}, "mesa");
        auto c = Conectado(s.Porta());
        QVERIFY(sala.size() == 1 && c && c->CriarConta("voltou", "senha1"));

        QVERIFY(pg.Pausar());
        QCOMPARE(c->Logar("voltou", "senha1"), u'_' + kIndisponivel);
        c->EnviarTextos("nvAcc", {"Novo", "novato", "senha1", "n@q.br"});
        QCOMPARE(c->Esperar("erCNC")->Texto(1), kIndisponivel);
        // Who is in already goes on playing.
        sala[0]->Enviar("Start");
        QVERIFY(sala[0]->Esperar("cmJog") && sala[0]->Esperar("cmPrt"));

        QVERIFY(pg.Retomar());
        QCOMPARE(c->Logar("voltou", "senha1"), "voltou");
        auto d = Conectado(s.Porta());
        QVERIFY(d && d->CriarConta("novato", "senha1"));
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    TstContas sqlite;
    int r = QTest::qExec(&sqlite, argc, argv);
    const QString cluster = PostgresTeste::Compartilhado();
    if (cluster.isEmpty()) {
        qWarning("Sem o PostgreSQL dos testes (QUARPEL_POSTGRES): rode pelo ctest");
        return r;
    }
    TstContas postgres(cluster);
    return r | QTest::qExec(&postgres, argc, argv);
}
#include "tst_contas.moc"
