#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "LogTeste.h"
#include "ServidorTeste.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

QByteArray Foto(char semente)
{
    QByteArray foto(7803, '\0');
    for (int i = 0; i < foto.size(); ++i)
        foto[i] = char(semente + i * 7);
    return foto;
}

const QString kInvalido = "_Login ou senha inválidos";

} // namespace

class TstContas : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> m_servidor;

    std::unique_ptr<ClienteTeste> Conectado()
    {
        auto c = std::make_unique<ClienteTeste>();
        return c->Conectar(m_servidor->Porta()) ? std::move(c) : nullptr;
    }

private slots:
    void initTestCase() { LogTeste::Instalar(); }
    void init()
    {
        m_servidor = std::make_unique<ServidorTeste>();
        QVERIFY(m_servidor->Iniciado());
    }
    void cleanup() { m_servidor.reset(); }

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

    void senhaGuardadaComoArgon2idEmWalENuncaNoLog()
    {
        const qsizetype antes = LogTeste::Linhas().size();
        auto c = Conectado();
        const QStringList senhas{"Xy9#kq!w", "errada1", "N0va#Senha"};
        QVERIFY(c && c->CriarConta("ana.b", senhas[0]));
        QCOMPARE(c->Logar("ana.b", senhas[1]), kInvalido);
        QCOMPARE(c->Logar("ana.b", senhas[0]), "ana.b");
        c->EnviarTextos("nvSen", {senhas[2]});
        QVERIFY(c->Sincronizar());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "leitura");
            db.setDatabaseName(m_servidor->ArquivoBanco());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT senha FROM contas WHERE login = 'ana.b'") && q.next());
            const QString hash = q.value(0).toString();
            QVERIFY2(hash.startsWith("$argon2id$"), qPrintable(hash));
            for (const QString& s : senhas)
                QVERIFY(!hash.contains(s));
            QVERIFY(q.exec("PRAGMA journal_mode") && q.next());
            QCOMPARE(q.value(0).toString(), "wal");
        }
        QSqlDatabase::removeDatabase("leitura");
        const QStringList log = LogTeste::Linhas().mid(antes);
        QVERIFY(!log.isEmpty());
        for (const QString& linha : log)
            for (const QString& s : senhas)
                QVERIFY2(!linha.contains(s), qPrintable(linha));
    }

    void cadastroRecusado_data()
    {
        QTest::addColumn<QStringList>("campos");
        QTest::addColumn<QString>("motivo");
        const QString ok = "senha1", email = "a@b.com", nome = "Nome";
        QTest::newRow("login em uso, outra caixa")
            << QStringList{nome, "DONO", ok, email} << "Este login já está em uso";
        QTest::newRow("login curto")
            << QStringList{nome, "abc", ok, email} << "O login deve ter de 4 a 12 caracteres";
        QTest::newRow("login com _")
            << QStringList{nome, "_abcd", ok, email} << "O Login não pode começar com '_' ou '*'";
        QTest::newRow("login com aspas") << QStringList{nome, "ab'; --", ok, email}
                                         << "O login só pode ter letras, números, '.', '-' e '_'";
        QTest::newRow("nome vazio") << QStringList{"", "novo1", ok, email} << "Digite o seu nome";
        QTest::newRow("nome longo") << QStringList{QString(51, u'n'), "novo1", ok, email}
                                    << "O nome pode ter no máximo 50 caracteres";
        QTest::newRow("senha curta")
            << QStringList{nome, "novo1", "abc", email} << "A senha deve ter de 4 a 12 caracteres";
        QTest::newRow("email vazio") << QStringList{nome, "novo1", ok, ""} << "Digite o seu e-mail";
        QTest::newRow("email sem arroba")
            << QStringList{nome, "novo1", ok, "ab.com"} << "O e-mail não é válido";
        QTest::newRow("argumentos de menos")
            << QStringList{nome, "novo1", ok} << "Preencha todos os campos";
    }
    void cadastroRecusado()
    {
        QFETCH(QStringList, campos);
        QFETCH(QString, motivo);
        auto c = Conectado();
        QVERIFY(c && c->CriarConta("dono", "senha1"));
        c->EnviarTextos("nvAcc", campos);
        QCOMPARE(c->Esperar("erCNC")->Texto(1), motivo);
        // Nothing was created: the login in the attempt cannot log in.
        if (campos[1] != "DONO")
            QCOMPARE(c->Logar(campos[1], campos[2]), kInvalido);
    }

    void loginRecusado()
    {
        auto a = Conectado();
        QVERIFY(a && a->CriarConta("maria", "senha1"));
        for (const auto& [login, senha] :
             QList<std::pair<QString, QString>>{{"maria", "Senha1"},
                                                {"ninguem", "senha1"},
                                                {"", "senha1"},
                                                {"maria", ""},
                                                {"maria' OR '1'='1", "x' OR '1'='1"}})
            QCOMPARE(a->Logar(login, senha), kInvalido);
        const QString versao = a->Logar("maria", "senha1", "0.0.0.1");
        QVERIFY(versao.startsWith(u'_'));
        QVERIFY(versao.contains(m_servidor->Servidor().Config().versaoCliente));
        a->Enviar("Login", {"maria", "senha1"});
        QCOMPARE(a->Esperar("Setar")->Texto(2), kInvalido);
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
        // The first session is undisturbed and still alone on line.
        QVERIFY(a->Sincronizar());
        QVERIFY(a->NaoLidas("hlInf").isEmpty());
        // Once it leaves, the account may log in again.
        a->Desconectar();
        QVERIFY(EsperarAte([&] { return b->Logar("maria", "senha1") == "maria"; }));
    }

    void comandosAntesDoLoginSaoIgnorados()
    {
        auto dentro = ClienteTeste::NoSaguao(m_servidor->Porta(), "dentro");
        QVERIFY(dentro);
        QCOMPARE(dentro->CriarSala("mesa"), "OK");
        dentro->Descartar();
        auto fora = Conectado();
        QVERIFY(fora);
        fora->EnviarTextos("slBla", {"oi"});
        fora->EnviarTextos("nvSal", {"outra", ""});
        fora->EnviarTextos("Entra", {"mesa", ""});
        fora->Enviar("nvImg", {Foto(3)});
        fora->EnviarTextos("nvSen", {"abcd"});
        fora->EnviarTextos("Troca", {"1", "2"});
        fora->Enviar("slSai");
        fora->Enviar("Start");
        QVERIFY(fora->Sincronizar() && fora->Conectado());
        QCOMPARE(fora->ComandosNaoLidos(), QList<QByteArray>{});
        QVERIFY(dentro->Sincronizar());
        QCOMPARE(dentro->ComandosNaoLidos(), QList<QByteArray>{});
    }

    void fotoETrocaDeSenhaSobrevivemAoReinicio()
    {
        auto sala = ClienteTeste::NaSala(m_servidor->Porta(), {"anfi", "convidado"}, "mesa");
        QVERIFY(sala.size() == 2);
        auto a = std::move(sala[0]), b = std::move(sala[1]);
        // Not 7803 bytes: ignored.
        b->Enviar("nvImg", {Foto(1).left(7802)});
        b->Enviar("nvImg", {Foto(1) + 'x'});
        QVERIFY(b->Sincronizar() && a->Sincronizar());
        QVERIFY(a->NaoLidas().isEmpty() && b->NaoLidas().isEmpty());

        const QByteArray foto = Foto(9);
        b->Enviar("nvImg", {foto});
        QCOMPARE(b->Esperar("imLoc")->Argumento(1), foto);
        const auto info = a->Esperar("jgInf");
        QCOMPARE(info->Texto(3), "convidado");
        QCOMPARE(info->Argumento(4), foto);
        QVERIFY(info->Argumento(2).isEmpty());
        QCOMPARE(b->Esperar("jgInf")->Argumento(4), foto);
        b->EnviarTextos("nvSen", {"abc"});
        b->EnviarTextos("nvSen", {"trocada123"});
        QVERIFY(b->Sincronizar());
        a.reset();
        b.reset();

        QVERIFY(m_servidor->Reiniciar());
        auto c = Conectado();
        QVERIFY(c);
        QVERIFY(!c->CriarConta("ANFI", "senha9"));
        QCOMPARE(c->Logar("convidado", "senha1"), kInvalido);
        QCOMPARE(c->Logar("convidado", "trocada123"), "convidado");
        QCOMPARE(c->Esperar("imLoc")->Argumento(1), foto);
    }
};

QTEST_GUILESS_MAIN(TstContas)
#include "tst_contas.moc"
