#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Foto.h"
#include "FuncoesComuns.h"
#include "TelaCadastro.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCliente.h"
#include "frmCriarSala.h"
#include "frmPerfil.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
QByteArray msg(const char* comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}

// A widget's rectangle in twips inside its parent.
QRect EmTwips(const QWidget* w)
{
    return QRect(w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15);
}
} // namespace

// The account and lobby screens and the two dialogs as a player sees them: their geometry, and
// a picture of each saved for a look (into $QUARPEL_ARTEFATOS when set).
class TstCapturas : public QObject
{
    Q_OBJECT

    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;
    std::unique_ptr<CaixasGravadas> m_caixas;

    void salvar(QWidget* w, const QString& nome)
    {
        const QImage imagem = w->grab().toImage();
        QCOMPARE(imagem.size(), w->size());
        const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS");
        if (pasta.isEmpty())
            return;
        QVERIFY(QDir().mkpath(pasta));
        QVERIFY(imagem.save(QDir(pasta).filePath(nome + ".png")));
    }

private slots:
    void initTestCase()
    {
        m_servidor = new ServidorRoteirizado(this);
        QVERIFY(m_servidor->Escutando());
        m_caixas = std::make_unique<CaixasGravadas>();
        m_cliente = ClienteDeTeste(*m_servidor);
        QVERIFY(m_cliente);
        m_cliente->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_cliente.get()));
    }

    void cleanupTestCase()
    {
        m_cliente.reset();
        delete m_servidor;
    }

    void login()
    {
        QCOMPARE(m_cliente->size(), QSize(9435 / 15, 7815 / 15));
        QCOMPARE(EmTwips(m_cliente->frLogin), QRect(60, 300, 9315, 7455));
        QCOMPARE(EmTwips(m_cliente->btFechar), QRect(9180, 60, 195, 195));
        QCOMPARE(EmTwips(m_cliente->btMinimizar), QRect(8940, 60, 195, 195));
        m_cliente->frLogin->txLgLogin->setText("ana");
        m_cliente->frLogin->txLgSenha->setText("segredo");
        salvar(m_cliente.get(), "login");
    }

    void cadastro()
    {
        m_cliente->frLogin->btLgCriarConta->click();
        TelaCadastro* c = m_cliente->frCadastro;
        c->txCdNome->setText(QStringLiteral("Ana Lúcia"));
        c->txCdEMail->setText("ana@exemplo.com.br");
        c->txCdLogin->setText("ana");
        c->txCdSenha->setText("segredo");
        salvar(m_cliente.get(), "cadastro");
        c->btCdCancelar->click();
    }

    void salas()
    {
        m_cliente->MudarFrame(m_cliente->frSalas);
        m_cliente->setWindowTitle("Quarpel - ana");
        m_servidor->Enviar(msg("slInf", {"4", "Mesa do Z\xE9", "3/4", "False", "0", "Secreta",
                                         "1/4", "True", "1", "Truco Paulista", "1/4", "True", "0",
                                         "Iniciantes", "4/4", "False", "0"}));
        m_servidor->Enviar(msg("hlInf", {"4", "ana", "bia", "caio", "dora"}));
        m_servidor->Enviar(msg("slMsg", {"bia", "Boa noite, pessoal!"}));
        m_servidor->Enviar(msg("slMsg", {"caio", "Quem topa uma partida?"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_cliente->txChat->toPlainText().count('\n'), 2, 10000);
        QCOMPARE(m_cliente->frSalas->ltSlSalas->topLevelItemCount(), 3);
        m_cliente->frSalas->ltSlSalas->setCurrentItem(
            m_cliente->frSalas->ltSlSalas->topLevelItem(1));

        TelaSalas* s = m_cliente->frSalas;
        QCOMPARE(EmTwips(s->ltSlSalas), QRect(60, 300, 7155, 4815));
        QCOMPARE(EmTwips(s->btSlCriarSala), QRect(60, 5220, 915, 315));
        QCOMPARE(EmTwips(s->btSlEntrar), QRect(1020, 5220, 915, 315));
        QCOMPARE(EmTwips(s->btSlImagem), QRect(7980, 5220, 1275, 315));
        QCOMPARE(EmTwips(m_cliente->txChat), QRect(60, 5700, 9195, 1335));
        // The room list holds its columns without a horizontal scroll bar.
        int total = 0;
        for (int c = 0; c < 3; ++c)
            total += s->ltSlSalas->columnWidth(c);
        QVERIFY(total <= s->ltSlSalas->viewport()->width());
        salvar(m_cliente.get(), "salas");
    }

    void criarSala()
    {
        frmCriarSala d(m_cliente.get());
        d.txNome->setText("Mesa da Ana");
        d.txSenha->setText("truco");
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Criar Sala"));
        QVERIFY(d.windowFlags().testFlag(Qt::FramelessWindowHint));
        // Every control lies inside the window, below the caption band.
        for (QWidget* w : {static_cast<QWidget*>(d.txNome), static_cast<QWidget*>(d.txSenha),
                           static_cast<QWidget*>(d.btOK), static_cast<QWidget*>(d.btCancelar)}) {
            QVERIFY(d.rect().contains(w->geometry()));
            QVERIFY(w->y() >= 20);
        }
        salvar(&d, "criar-sala");
    }

    void perfil()
    {
        QImage foto(51, 51, QImage::Format_RGB32);
        for (int y = 0; y < 51; ++y)
            for (int x = 0; x < 51; ++x)
                foto.setPixel(x, y, qRgb(40 + 3 * x, 90 + 2 * y, 160));
        Foto::FotoLocal() = foto;
        frmPerfil d(m_cliente.get());
        d.txSenhaNova->setText("abcd");
        d.txArquivo->setText("/home/ana/fotos/eu.jpg");
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Editar Perfil"));
        // 795 twips outside, a one-pixel border round the 51 x 51 drawing area.
        QCOMPARE(d.pbImagem->size(), QSize(53, 53));
        QCOMPARE(d.pbImagem->contentsRect().size(), QSize(51, 51));
        for (QWidget* w : d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(d.rect().contains(w->geometry()), qPrintable(w->objectName()));
        salvar(&d, "perfil");
        Foto::FotoLocal() = QImage();
    }
};

QTEST_MAIN(TstCapturas)
#include "tst_capturas.moc"
