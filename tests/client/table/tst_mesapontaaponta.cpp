#include "CPacker.h"
#include "CUnPacker.h"
#include "CaixaFigura.h"
#include "Caixas.h"
#include "ClienteTeste.h"
#include "Espera.h"
#include "Foto.h"
#include "ServidorTeste.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCliente.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {
QByteArray fotoDe(QColor cor)
{
    QImage i(51, 51, QImage::Format_RGB32);
    i.fill(cor);
    return Foto::CodificarFoto(i);
}
QRgb centro(QWidget* w) { return w->grab().toImage().pixel(w->width() / 2, w->height() / 2); }
} // namespace

// The table against the real server: the real client (offscreen) as host and as guest, with a
// headless second player.
class TstMesaPontaAPonta : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorTeste> s;
    std::unique_ptr<frmCliente> cliente;
    std::unique_ptr<ClienteTeste> bia;
    frmCliente& c() { return *cliente; }
    TelaJogo* m() { return cliente->frJogo; }

    void salvar(const QString& nome)
    {
        const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS", QDir::tempPath());
        QVERIFY(QDir().mkpath(pasta) && c().grab().save(QDir(pasta).filePath(nome + ".png")));
    }

private slots:
    // Beatriz (red picture) in the lobby; Ana's account made, and Ana logged in by the real
    // client with a blue picture.
    void init()
    {
        Caixas::SetInterceptador([](const Caixas::Caixa&) { return QString(); });
        s = std::make_unique<ServidorTeste>();
        bia = ClienteTeste::NoSaguao(s->Porta(), "beatriz");
        QVERIFY(bia);
        bia->Enviar("nvImg", {fotoDe(Qt::red)});
        QVERIFY(bia->Esperar("imLoc"));
        ClienteTeste conta;
        QVERIFY(conta.Conectar(s->Porta()) && conta.CriarConta("anabela", "senha1"));
        Espera::Reiniciar();
        cliente = std::make_unique<frmCliente>(QStringList{"servidor", "127.0.0.1"}, s->Porta());
        c().Form_Load();
        QTRY_VERIFY_WITH_TIMEOUT(c().isVisible(), 10000);
        c().frLogin->txLgLogin->setText("anabela");
        c().frLogin->txLgSenha->setText("senha1");
        c().frLogin->btLgOK->click();
        QCOMPARE(c().FrameAtual, c().frSalas);
        CPacker::Global().SetArgumentos(1);
        CPacker::Global().SetArgumento(1, fotoDe(Qt::blue));
        CPacker::Global().Enviar("nvImg");
        QTRY_COMPARE(Foto::FotoLocal().pixel(0, 0), qRgb(0, 0, 255));
    }
    void cleanup()
    {
        cliente.reset();
        bia.reset();
        s.reset();
        Caixas::SetInterceptador({});
    }

    // Host and guest see each other; the host swaps Beatriz to seat 4 and starts; the deal shows.
    void anfitria()
    {
        QTimer::singleShot(0, this, [] {
            auto* d = qobject_cast<frmCriarSala*>(QApplication::activeModalWidget());
            d->txNome->setText("Mesa da Ana e da Bia");
            d->btOK->click();
        });
        c().frSalas->btSlCriarSala->click();
        QCOMPARE(c().FrameAtual, c().frJogo);
        QVERIFY(bia->EntrarNaSala("Mesa da Ana e da Bia"));
        auto lista = bia->Esperar("jgInf");
        QVERIFY(lista);
        QCOMPARE((QList<QByteArray>{lista->Argumento(1), lista->Argumento(2)}),
                 (QList<QByteArray>{"anabela", fotoDe(Qt::blue)}));
        QTRY_COMPARE(m()->lbJgJogador[1]->text(), QStringLiteral("beatriz"));
        QCOMPARE(m()->lbJgJogador[0]->text(), QStringLiteral("anabela"));
        QCOMPARE(centro(m()->pbJgJogador[1]), qRgb(255, 0, 0));
        QCOMPARE(centro(m()->pbJgJogador[0]), qRgb(0, 0, 255));
        QVERIFY(!m()->btJgIniciarJogo->isHidden());
        salvar("mesa-antes-do-jogo");

        QTest::mouseClick(m()->pbJgJogador[1], Qt::LeftButton);
        QTest::mouseClick(m()->pbJgJogador[3], Qt::LeftButton);
        QTRY_COMPARE(m()->lbJgJogador[3]->text(), QStringLiteral("beatriz"));
        QVERIFY(m()->lbJgJogador[1]->isHidden());
        QVERIFY(lista = bia->Esperar("jgInf"));
        QCOMPARE(lista->Texto(7), QStringLiteral("beatriz"));

        // The deal's reaction is the game's; here the hand is shown through what it will call.
        connect(&c(), &frmCliente::Tratada, this, [this](const QByteArray& comando) {
            const CUnPacker& u = CUnPacker::Global();
            if (comando == "cmPrt")
                m()->MostrarMao(u.Argumento(1).toInt(), {u.Argumento(2).toInt(),
                                                         u.Argumento(3).toInt(),
                                                         u.Argumento(4).toInt()});
        });
        m()->btJgIniciarJogo->click();
        QTRY_VERIFY_WITH_TIMEOUT(!m()->pbJgCarta[1]->isHidden(), 10000);
        QTRY_VERIFY(m()->lbJgEstado->text().startsWith(QStringLiteral("É a")));
        for (int i : {1, 2, 3, 13})
            QVERIFY(m()->Cartas[i].Codigo >= 1 && m()->Cartas[i].Codigo <= 40);
        QVERIFY(!m()->lbJgJogador[1]->text().isEmpty() && !m()->lbJgJogador[2]->text().isEmpty());
        // Where the game's start puts the panels, for the picture.
        for (int p = 0; p < 4; ++p) {
            m()->pbJgJogador[p]->SetPosicao(c().PainelPosicoes[p].LeftJogo,
                                            c().PainelPosicoes[p].TopJogo);
            m()->PosicionarRotulo(p);
        }
        m()->VazasGanhas[0][0] = m()->VazasGanhas[1][0] = 1;
        m()->ValorMao = 3;
        m()->pbJgPlacar_Paint();
        salvar("mesa-mao-distribuida");
    }

    // Ana as a guest sees the host, and leaving takes her back to the lobby.
    void convidada()
    {
        QCOMPARE(bia->CriarSala("Mesa da Bia"), QStringLiteral("OK"));
        QTreeWidget* salas = c().frSalas->ltSlSalas;
        QTRY_COMPARE(salas->topLevelItemCount(), 1);
        salas->topLevelItem(0)->setSelected(true);
        c().frSalas->btSlEntrar->click();
        QTRY_COMPARE(m()->lbJgJogador[3]->text(), QStringLiteral("beatriz"));
        QCOMPARE(c().FrameAtual, c().frJogo);
        QCOMPARE(centro(m()->pbJgJogador[3]), qRgb(255, 0, 0));
        QVERIFY(m()->btJgIniciarJogo->isHidden());
        auto lista = bia->Esperar("jgInf");
        QVERIFY(lista && (lista = bia->Esperar("jgInf")));
        QCOMPARE(lista->Texto(3), QStringLiteral("anabela"));

        m()->btJgSair->click();
        QCOMPARE(c().FrameAtual, c().frSalas);
        QVERIFY((lista = bia->Esperar("jgInf")) && lista->Texto(3).isEmpty());
        QTRY_COMPARE(salas->topLevelItem(0)->text(1), QStringLiteral("1/4"));
    }
};

QTEST_MAIN(TstMesaPontaAPonta)
#include "tst_mesapontaaponta.moc"
