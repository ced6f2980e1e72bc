#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "ServidorTeste.h"

#include <QMutex>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

// Every log line the server writes while a test runs.
QMutex g_mutex;
QStringList g_log;
QtMessageHandler g_anterior = nullptr;

void Registrar(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    {
        QMutexLocker trava(&g_mutex);
        g_log << texto;
    }
    g_anterior(tipo, contexto, texto);
}

QByteArray Foto(char semente)
{
    QByteArray foto(7803, '\0');
    for (int i = 0; i < foto.size(); ++i)
        foto[i] = char(semente + i * 7);
    return foto;
}

} // namespace

class TstContas : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { g_anterior = qInstallMessageHandler(Registrar); }
    void cleanupTestCase() { qInstallMessageHandler(g_anterior); }

    void versaoECadastroELogin()
    {
        ServidorTeste servidor;
        QVERIFY(servidor.Iniciado());
        ClienteTeste c;
        QVERIFY(c.Conectar(servidor.Porta()));
        c.Enviar("obVer");
        const auto versao = c.Esperar("utVer");
        QVERIFY(versao);
        QCOMPARE(versao->Texto(1), servidor.Servidor().Config().versaoCliente);

        QVERIFY(c.CriarConta(QStringLiteral("JoãoSilva"), QStringLiteral("segredo1")));
        // The login comes back as stored, whatever case it is typed in.
        QCOMPARE(c.Logar(QStringLiteral("joÃOsilva"), QStringLiteral("segredo1")),
                 QStringLiteral("JoãoSilva"));
        QCOMPARE(c.ComandosNaoLidos(), (QList<QByteArray>{"imLoc", "slInf", "hlInf"}));
        const auto imLoc = c.Esperar("imLoc");
        QCOMPARE(imLoc->Quantos(), 1);
        QVERIFY(imLoc->Argumento(1).isEmpty());
        const auto salas = c.Esperar("slInf");
        QCOMPARE(salas->argumentos, (QList<QByteArray>{"0"}));
        const auto jogadores = c.Esperar("hlInf");
        QCOMPARE(jogadores->Quantos(), 2);
        QCOMPARE(jogadores->Texto(2), QStringLiteral("JoãoSilva"));
    }

    void senhaGuardadaComoArgon2idENuncaNoLog()
    {
        {
            QMutexLocker trava(&g_mutex);
            g_log.clear();
        }
        ServidorTeste servidor;
        ClienteTeste c;
        QVERIFY(c.Conectar(servidor.Porta()));
        const QString senha = QStringLiteral("Xy9#kq!w");
        QVERIFY(c.CriarConta(QStringLiteral("ana.b"), senha));
        QVERIFY(c.Logar(QStringLiteral("ana.b"), QStringLiteral("errada1")).startsWith(u'_'));
        QCOMPARE(c.Logar(QStringLiteral("ana.b"), senha), QStringLiteral("ana.b"));
        c.EnviarTextos("nvSen", {QStringLiteral("N0va#Senha")});
        QVERIFY(c.Sincronizar());

        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("leitura"));
            db.setDatabaseName(servidor.ArquivoBanco());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT senha FROM contas WHERE login = 'ana.b'")));
            QVERIFY(q.next());
            const QString hash = q.value(0).toString();
            QVERIFY2(hash.startsWith(QLatin1String("$argon2id$")), qPrintable(hash));
            QVERIFY(!hash.contains(senha));
            QVERIFY(!hash.contains(QLatin1String("N0va#Senha")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("leitura"));

        QMutexLocker trava(&g_mutex);
        QVERIFY(!g_log.isEmpty());
        for (const QString& linha : std::as_const(g_log)) {
            QVERIFY2(!linha.contains(senha), qPrintable(linha));
            QVERIFY2(!linha.contains(QLatin1String("errada1")), qPrintable(linha));
            QVERIFY2(!linha.contains(QLatin1String("N0va#Senha")), qPrintable(linha));
        }
    }

    void cadastroRecusado_data()
    {
        QTest::addColumn<QStringList>("campos");
        QTest::addColumn<QString>("motivo");
        const QString ok = QStringLiteral("senha1");
        const QString email = QStringLiteral("a@b.com");
        const QString nome = QStringLiteral("Nome");
        QTest::newRow("login em uso, outra caixa")
            << QStringList{nome, QStringLiteral("DONO"), ok, email}
            << QStringLiteral("Este login já está em uso");
        QTest::newRow("login curto") << QStringList{nome, QStringLiteral("abc"), ok, email}
                                     << QStringLiteral("O login deve ter de 4 a 12 caracteres");
        QTest::newRow("login com _") << QStringList{nome, QStringLiteral("_abcd"), ok, email}
                                     << QStringLiteral("O Login não pode começar com '_' ou '*'");
        QTest::newRow("login com aspas")
            << QStringList{nome, QStringLiteral("ab'; --"), ok, email}
            << QStringLiteral("O login só pode ter letras, números, '.', '-' e '_'");
        QTest::newRow("nome vazio") << QStringList{QString(), QStringLiteral("novo1"), ok, email}
                                    << QStringLiteral("Digite o seu nome");
        QTest::newRow("nome longo")
            << QStringList{QString(51, u'n'), QStringLiteral("novo1"), ok, email}
            << QStringLiteral("O nome pode ter no máximo 50 caracteres");
        QTest::newRow("senha curta")
            << QStringList{nome, QStringLiteral("novo1"), QStringLiteral("abc"), email}
            << QStringLiteral("A senha deve ter de 4 a 12 caracteres");
        QTest::newRow("email vazio") << QStringList{nome, QStringLiteral("novo1"), ok, QString()}
                                     << QStringLiteral("Digite o seu e-mail");
        QTest::newRow("email sem arroba")
            << QStringList{nome, QStringLiteral("novo1"), ok, QStringLiteral("ab.com")}
            << QStringLiteral("O e-mail não é válido");
        QTest::newRow("argumentos de menos") << QStringList{nome, QStringLiteral("novo1"), ok}
                                             << QStringLiteral("Preencha todos os campos");
    }

    void cadastroRecusado()
    {
        QFETCH(QStringList, campos);
        QFETCH(QString, motivo);
        ServidorTeste servidor;
        ClienteTeste c;
        QVERIFY(c.Conectar(servidor.Porta()));
        QVERIFY(c.CriarConta(QStringLiteral("dono"), QStringLiteral("senha1")));
        c.EnviarTextos("nvAcc", campos);
        const auto recusa = c.Esperar("erCNC");
        QVERIFY(recusa);
        QCOMPARE(recusa->Texto(1), motivo);
        // Nothing was created: the login in the attempt cannot log in.
        if (campos.size() > 1 && !campos[1].isEmpty() &&
            campos[1].compare(QLatin1String("dono"), Qt::CaseInsensitive) != 0)
            QVERIFY(c.Logar(campos[1], campos.value(2)).startsWith(u'_'));
    }

    void loginRecusado()
    {
        ServidorTeste servidor;
        ClienteTeste a;
        QVERIFY(a.Conectar(servidor.Porta()));
        QVERIFY(a.CriarConta(QStringLiteral("maria"), QStringLiteral("senha1")));
        const QString invalido = QStringLiteral("_Login ou senha inválidos");
        QCOMPARE(a.Logar(QStringLiteral("maria"), QStringLiteral("Senha1")), invalido);
        QCOMPARE(a.Logar(QStringLiteral("ninguem"), QStringLiteral("senha1")), invalido);
        QCOMPARE(a.Logar(QString(), QStringLiteral("senha1")), invalido);
        QCOMPARE(a.Logar(QStringLiteral("maria"), QString()), invalido);
        QCOMPARE(a.Logar(QStringLiteral("maria' OR '1'='1"), QStringLiteral("x' OR '1'='1")),
                 invalido);
        const QString versao =
            a.Logar(QStringLiteral("maria"), QStringLiteral("senha1"), QStringLiteral("0.0.0.1"));
        QVERIFY(versao.startsWith(u'_'));
        QVERIFY(versao.contains(servidor.Servidor().Config().versaoCliente));
        a.Enviar("Login", {"maria", "senha1"});
        QCOMPARE(a.Esperar("Setar")->Texto(2), invalido);
        // None of these logged in: a lobby command is still ignored.
        a.EnviarTextos("nvSal", {QStringLiteral("sala"), QString()});
        QVERIFY(a.Sincronizar());
        QVERIFY(a.NaoLidas().isEmpty());

        QCOMPARE(a.Logar(QStringLiteral("MARIA"), QStringLiteral("senha1")),
                 QStringLiteral("maria"));
        // A second "Login" or "nvAcc" on a logged-in connection is ignored.
        a.EnviarTextos("Login", {QStringLiteral("maria"), QStringLiteral("senha1"),
                                 servidor.Servidor().Config().versaoCliente});
        a.EnviarTextos("nvAcc", {QStringLiteral("N"), QStringLiteral("maria2"),
                                 QStringLiteral("senha1"), QStringLiteral("m@m.com")});
        QVERIFY(a.Sincronizar());
        QCOMPARE(a.ComandosNaoLidos(), (QList<QByteArray>{"imLoc", "slInf", "hlInf"}));
        a.Descartar();
        ClienteTeste b;
        QVERIFY(b.Conectar(servidor.Porta()));
        QCOMPARE(b.Logar(QStringLiteral("Maria"), QStringLiteral("senha1")),
                 QStringLiteral("_Este login já está conectado"));
        // The first session is undisturbed and still alone on line.
        QVERIFY(a.Sincronizar());
        QVERIFY(a.NaoLidas("hlInf").isEmpty());
        // Once it leaves, the account may log in again.
        a.Desconectar();
        QVERIFY(EsperarAte([&] {
            return b.Logar(QStringLiteral("maria"), QStringLiteral("senha1")) ==
                   QLatin1String("maria");
        }));
    }

    void comandosAntesDoLoginSaoIgnorados()
    {
        ServidorTeste servidor;
        ClienteTeste dentro;
        QVERIFY(dentro.Conectar(servidor.Porta()));
        QVERIFY(dentro.CriarConta(QStringLiteral("dentro"), QStringLiteral("senha1")));
        QVERIFY(dentro.LogarNoSaguao(QStringLiteral("dentro"), QStringLiteral("senha1")));
        QCOMPARE(dentro.CriarSala(QStringLiteral("mesa")), QStringLiteral("OK"));
        dentro.Descartar();

        ClienteTeste fora;
        QVERIFY(fora.Conectar(servidor.Porta()));
        fora.EnviarTextos("slBla", {QStringLiteral("oi")});
        fora.EnviarTextos("nvSal", {QStringLiteral("outra"), QString()});
        fora.EnviarTextos("Entra", {QStringLiteral("mesa"), QString()});
        fora.Enviar("nvImg", {Foto(3)});
        fora.EnviarTextos("nvSen", {QStringLiteral("abcd")});
        fora.EnviarTextos("Troca", {QStringLiteral("1"), QStringLiteral("2")});
        fora.Enviar("slSai");
        fora.Enviar("Start");
        QVERIFY(fora.Sincronizar());
        QVERIFY(fora.Conectado());
        QCOMPARE(fora.ComandosNaoLidos(), QList<QByteArray>{});
        QVERIFY(dentro.Sincronizar());
        QCOMPARE(dentro.ComandosNaoLidos(), QList<QByteArray>{});
    }

    void fotoETrocaDeSenha()
    {
        ServidorTeste servidor;
        ClienteTeste a, b;
        QVERIFY(a.Conectar(servidor.Porta()) && b.Conectar(servidor.Porta()));
        QVERIFY(a.CriarConta(QStringLiteral("anfi"), QStringLiteral("senha1")));
        QVERIFY(b.CriarConta(QStringLiteral("convidado"), QStringLiteral("senha2")));
        QVERIFY(a.LogarNoSaguao(QStringLiteral("anfi"), QStringLiteral("senha1")));
        QVERIFY(b.LogarNoSaguao(QStringLiteral("convidado"), QStringLiteral("senha2")));
        QCOMPARE(a.CriarSala(QStringLiteral("mesa")), QStringLiteral("OK"));
        b.EnviarTextos("Entra", {QStringLiteral("mesa"), QString()});
        QVERIFY(b.Esperar("okEnt"));
        QVERIFY(b.Sincronizar() && a.Sincronizar());
        a.Descartar();
        b.Descartar();

        // Not 7803 bytes: ignored.
        b.Enviar("nvImg", {Foto(1).left(7802)});
        b.Enviar("nvImg", {Foto(1) + 'x'});
        QVERIFY(b.Sincronizar() && a.Sincronizar());
        QVERIFY(a.NaoLidas().isEmpty() && b.NaoLidas().isEmpty());

        const QByteArray foto = Foto(9);
        b.Enviar("nvImg", {foto});
        QCOMPARE(b.Esperar("imLoc")->Argumento(1), foto);
        const auto info = a.Esperar("jgInf");
        QVERIFY(info);
        QCOMPARE(info->Texto(3), QStringLiteral("convidado"));
        QCOMPARE(info->Argumento(4), foto);
        QVERIFY(info->Argumento(2).isEmpty());
        QCOMPARE(b.Esperar("jgInf")->Argumento(4), foto);

        b.EnviarTextos("nvSen", {QStringLiteral("abc")});
        b.EnviarTextos("nvSen", {QStringLiteral("trocada123")});
        QVERIFY(b.Sincronizar());
        b.Desconectar();
        QVERIFY(b.EsperarDesconexao());

        ClienteTeste de_novo;
        QVERIFY(de_novo.Conectar(servidor.Porta()));
        QVERIFY(EsperarAte([&] {
            return !de_novo.Logar(QStringLiteral("convidado"), QStringLiteral("senha2"))
                        .contains(QLatin1String("conectado"));
        }));
        QCOMPARE(de_novo.Logar(QStringLiteral("convidado"), QStringLiteral("senha2")),
                 QStringLiteral("_Login ou senha inválidos"));
        QCOMPARE(de_novo.Logar(QStringLiteral("convidado"), QStringLiteral("trocada123")),
                 QStringLiteral("convidado"));
        QCOMPARE(de_novo.Esperar("imLoc")->Argumento(1), foto);
    }

    void reinicioGuardaAsContas()
    {
        ServidorTeste servidor;
        {
            ClienteTeste c;
            QVERIFY(c.Conectar(servidor.Porta()));
            QVERIFY(c.CriarConta(QStringLiteral("fiel"), QStringLiteral("senha1")));
            QVERIFY(c.CriarConta(QStringLiteral("outro"), QStringLiteral("senha2")));
            QCOMPARE(c.Logar(QStringLiteral("fiel"), QStringLiteral("senha1")),
                     QStringLiteral("fiel"));
            c.Enviar("nvImg", {Foto(5)});
            QVERIFY(c.Esperar("imLoc", ClienteTeste::kEspera) &&
                    c.Esperar("imLoc", ClienteTeste::kEspera));
        }
        QVERIFY(servidor.Reiniciar());
        ClienteTeste c;
        QVERIFY(c.Conectar(servidor.Porta()));
        QVERIFY(!c.CriarConta(QStringLiteral("FIEL"), QStringLiteral("senha9")));
        QCOMPARE(c.Logar(QStringLiteral("outro"), QStringLiteral("senha2")),
                 QStringLiteral("outro"));
        ClienteTeste d;
        QVERIFY(d.Conectar(servidor.Porta()));
        QCOMPARE(d.Logar(QStringLiteral("fiel"), QStringLiteral("senha1")), QStringLiteral("fiel"));
        QCOMPARE(d.Esperar("imLoc")->Argumento(1), Foto(5));
    }
};

QTEST_GUILESS_MAIN(TstContas)
#include "tst_contas.moc"
