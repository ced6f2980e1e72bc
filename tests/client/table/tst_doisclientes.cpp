#include "Bancada.h"
#include "CaixaFigura.h"
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "MovePBs.h"
#include "ServidorTeste.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTreeWidget>

// A whole game against the real server, played through the screens: Ana here, Bia in a process of
// her own (this program again: the client's packer, parser and shared variables are
// process-wide), two bots in the other seats; both people play to "jgFim".
namespace {
const QString kSala = QStringLiteral("Mesa das Duas");

// A real client played as a person would: on its turn it calls truco once (T) and plays, key 1 for
// the first card and the mouse for the others; it refuses the first call (R) and accepts the rest
// (A). The animation is stepped here (its timer never fires); every step is bounded.
class Jogador
{
public:
    explicit Jogador(frmCliente& c) : m_c(c), m_tratadas(&c, &frmCliente::Tratada) {}

    // True once the lobby shows; the login waits for the server's answer inside the click.
    bool Entrar(const QString& login, const QString& senha)
    {
        if (!EsperarAte([&] { return m_c.isVisible() || Espera::Encerrando(); }))
            return false;
        m_login = login;
        m_c.frLogin->txLgLogin->setText(login);
        m_c.frLogin->txLgSenha->setText(senha);
        m_c.frLogin->btLgOK->click();
        return m_c.FrameAtual == m_c.frSalas;
    }
    // Through the dialog; true once the table shows.
    bool CriarSala()
    {
        QTimer::singleShot(0, &m_c, [] {
            if (auto* d = qobject_cast<frmCriarSala*>(QApplication::activeModalWidget())) {
                d->txNome->setText(kSala);
                d->btOK->click();
            }
        });
        m_c.frSalas->btSlCriarSala->click();
        return m_c.FrameAtual == m_c.frJogo;
    }
    // Waits for the room in the lobby's list and enters it; true once the table shows.
    bool EntrarNaSala(int ms)
    {
        QTreeWidget* salas = m_c.frSalas->ltSlSalas;
        const auto sala = [&] { return salas->findItems(kSala, Qt::MatchExactly, 0).value(0); };
        if (!EsperarAte([&] { return sala() != nullptr; }, ms))
            return false;
        salas->setCurrentItem(sala());
        m_c.frSalas->btSlEntrar->click();
        return EsperarAte([&] { return m_c.FrameAtual == m_c.frJogo; }, ms);
    }
    // False when ms pass before "jgFim" has been handled, or the client closes.
    bool JogarAteOFim(int ms)
    {
        m_c.frJogo->Movimentos().tmTimer()->setInterval(1000 * 1000 * 1000);
        const auto fim = [&] { return m_tratadas.contains(QVariantList{QByteArray("jgFim")}); };
        return EsperarAte([&] { return Agir(), fim() || Espera::Encerrando(); }, ms) && fim();
    }
    int Jogadas() const { return m_jogadas; }
    bool Trucou() const { return m_trucou; }
    bool Recusou() const { return m_recusou; }

private:
    // Every move stepped to its end (a reaction resumes on an event after its moves end, so the
    // rest is left to the next pass), then a click if one is due.
    void Agir()
    {
        TelaJogo* t = m_c.frJogo;
        for (int k = 0; k < 2000 && t->Movimentos().Count() > 0; ++k)
            t->Movimentos().Tick();
        if (m_c.FrameAtual != t)
            return;
        Capturar();
        if (!t->btJgAceitar->isHidden())
            return QTest::keyClick(&m_c, std::exchange(m_recusou, true) ? Qt::Key_A : Qt::Key_R);
        QString vez; // unset before the first deal
        try {
            vez = m_c.Variaveis(QStringLiteral("Vez"));
        } catch (const std::exception&) {
        }
        if (!t->TagTruco.isEmpty() || vez != m_login)
            return;
        if (!t->btJgTruco->isHidden() && !std::exchange(m_trucou, true))
            return QTest::keyClick(&m_c, Qt::Key_T);
        for (int i = 1; i <= 3; ++i)
            if (t->pbJgCarta[i]->Tag().isEmpty() && !t->pbJgCarta[i]->isHidden()) {
                i == 1 ? QTest::keyClick(&m_c, Qt::Key_1)
                       : QTest::mousePress(t->pbJgCarta[i], Qt::LeftButton);
                m_jogadas += !t->pbJgCarta[i]->Tag().isEmpty();
                return;
            }
    }

    // QUARPEL_CAPTURA=pasta: the table once the chat told a few things, to be looked at.
    void Capturar()
    {
        const QString pasta = qEnvironmentVariable("QUARPEL_CAPTURA");
        if (pasta.isEmpty() || m_capturada ||
            m_c.txChat->toPlainText().count(QStringLiteral("* Mesa: ")) < 4)
            return;
        m_capturada = m_c.grab().save(pasta + "/mesa-" + m_login + ".png");
    }

    frmCliente& m_c;
    QSignalSpy m_tratadas;
    QString m_login;
    int m_jogadas = 0;
    bool m_capturada = false;
    bool m_trucou = false, m_recusou = false;
};

int g_relogio = 0; // the turn clock's moves in this process's server: none, nothing waited for it
QtMessageHandler g_registro = nullptr;

// Bia's side: exits 0 at the end of the game, or 1 naming the step that failed.
int JogarComoBia(quint16 porta)
{
    CaixasGravadas caixas;
    const QDeadlineTimer prazo(150000);
    frmCliente c({"servidor", "127.0.0.1"}, porta);
    c.Form_Load();
    Jogador bia(c);
    const char* falha = !bia.Entrar("beatriz", "senha2")                ? "login"
                        : !bia.EntrarNaSala(int(prazo.remainingTime())) ? "entrada na sala"
                        : !bia.JogarAteOFim(int(prazo.remainingTime())) ? "jogo"
                        : bia.Jogadas() < 2                             ? "nenhuma carta"
                        : !bia.Recusou()                                ? "nenhuma recusa"
                                                                        : nullptr;
    if (falha || !caixas.lista.isEmpty())
        qWarning("beatriz: %s; caixas: %s", falha ? falha : "fim do jogo",
                 qPrintable(caixas.Textos().join(" | ")));
    return falha || !caixas.lista.isEmpty();
}
} // namespace

class TstDoisClientes : public QObject
{
    Q_OBJECT

private slots:
    void duasPessoasTerminamUmaPartida()
    {
        CaixasGravadas caixas;
        g_registro =
            qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& s) {
                g_relogio += s.startsWith("Tempo esgotado"), g_registro(t, c, s);
            });
        ServidorTeste servidor;
        ClienteTeste conta;
        QVERIFY(conta.Conectar(servidor.Porta()) && conta.CriarConta("anabela", "senha1") &&
                conta.CriarConta("beatriz", "senha2"));
        conta.Desconectar();
        Espera::Reiniciar();
        frmCliente c({"servidor", "127.0.0.1"}, servidor.Porta());
        c.Form_Load();
        Jogador ana(c);
        QVERIFY(ana.Entrar("anabela", "senha1") && ana.CriarSala());

        QProcess bia;
        bia.setProcessChannelMode(QProcess::ForwardedChannels);
        bia.start(QCoreApplication::applicationFilePath(),
                  {"tst_doisclientes", "-bia", QString::number(servidor.Porta())});
        TelaJogo* t = c.frJogo;
        // Bia takes the first free seat, seat 2, which Ana sees in panel 1.
        QVERIFY(EsperarAte([&] { return !t->lbJgJogador[1]->text().isEmpty() || !bia.processId(); },
                           60000));
        QCOMPARE(t->lbJgJogador[1]->text(), "beatriz");
        t->btJgIniciarJogo->click();
        QVERIFY2(ana.JogarAteOFim(150000), qPrintable(caixas.Textos().join('|')));
        QVERIFY(EsperarAte([&] { return bia.state() == QProcess::NotRunning; }, 30000));
        QVERIFY(bia.exitStatus() == QProcess::NormalExit && bia.exitCode() == 0);
        QCOMPARE(caixas.Textos(), QStringList());
        QVERIFY(t->lbJgResultado->text().startsWith("Você ") && ana.Jogadas() >= 6);
        QVERIFY(ana.Trucou() && g_relogio == 0);
        QVERIFY(!t->btJgSair->isHidden() && !t->btJgIniciarJogo->isHidden());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "-bia") == 0)
        return JogarComoBia(quint16(QByteArray(argv[2]).toUInt()));
    TstDoisClientes teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "tst_doisclientes.moc"
