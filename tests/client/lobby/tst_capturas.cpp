#include "Bancada.h"
#include "Foto.h"
#include "TelaCadastro.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCriarSala.h"
#include "frmPerfil.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>

// The account and lobby screens and the two dialogs as a player sees them, a picture of each
// saved for a look (into $QUARPEL_ARTEFATOS when set); where they sit is checked elsewhere.
class TstCapturas : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;

    void salvar(QWidget* w, const QString& nome)
    {
        const QImage imagem = w->grab().toImage();
        QCOMPARE(imagem.size(), w->size());
        const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS");
        if (!pasta.isEmpty())
            QVERIFY(QDir().mkpath(pasta) && imagem.save(QDir(pasta).filePath(nome + ".png")));
    }

private slots:
    void initTestCase()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        b->cliente->show();
        QVERIFY(QTest::qWaitForWindowExposed(b->cliente.get()));
    }

    void cleanupTestCase() { b.reset(); }

    void telas()
    {
        frmCliente* j = b->cliente.get();
        j->frLogin->txLgLogin->setText("ana");
        j->frLogin->txLgSenha->setText("segredo");
        salvar(j, "login");

        j->frLogin->btLgCriarConta->click();
        j->frCadastro->txCdNome->setText(QStringLiteral("Ana Lúcia"));
        j->frCadastro->txCdEMail->setText("ana@exemplo.com.br");
        j->frCadastro->txCdLogin->setText("ana");
        j->frCadastro->txCdSenha->setText("segredo");
        salvar(j, "cadastro");
        j->frCadastro->btCdCancelar->click();

        j->MudarFrame(j->frSalas);
        j->setWindowTitle("Quarpel - ana");
        QVERIFY(b->Receber(Msg("slInf", {"4", "Mesa do Z\xE9", "3/4", "False", "0", "Secreta",
                                         "1/4", "True", "1", "Truco Paulista", "1/4", "True", "0",
                                         "Iniciantes", "4/4", "False", "0"}) +
                           Msg("hlInf", {"4", "ana", "bia", "caio", "dora"}) +
                           Msg("slMsg", {"bia", "Boa noite, pessoal!"}) +
                           Msg("slMsg", {"caio", "Quem topa uma partida?"})));
        QTreeWidget* salas = j->frSalas->ltSlSalas;
        QCOMPARE(salas->topLevelItemCount(), 3);
        salas->setCurrentItem(salas->topLevelItem(1));
        // The room list holds its columns without a horizontal scroll bar.
        QVERIFY(salas->columnWidth(0) + salas->columnWidth(1) + salas->columnWidth(2) <=
                salas->viewport()->width());
        salvar(j, "salas");
    }

    void dialogos()
    {
        QImage foto(51, 51, QImage::Format_RGB32);
        for (int y = 0; y < 51; ++y)
            for (int x = 0; x < 51; ++x)
                foto.setPixel(x, y, qRgb(40 + 3 * x, 90 + 2 * y, 160));
        Foto::FotoLocal() = foto;
        frmCriarSala criar(b->cliente.get());
        criar.txNome->setText("Mesa da Ana");
        criar.txSenha->setText("truco");
        frmPerfil perfil(b->cliente.get());
        perfil.txSenhaNova->setText("abcd");
        perfil.txArquivo->setText("/home/ana/fotos/eu.jpg");
        Foto::FotoLocal() = QImage();
        // 795 twips outside, a one-pixel border round the 51 x 51 drawing area.
        QCOMPARE(perfil.pbImagem->size(), QSize(53, 53));
        QCOMPARE(perfil.pbImagem->contentsRect().size(), QSize(51, 51));
        // The create-room controls lie below the caption band.
        for (QWidget* w :
             {static_cast<QWidget*>(criar.txNome), static_cast<QWidget*>(criar.txSenha),
              static_cast<QWidget*>(criar.btOK), static_cast<QWidget*>(criar.btCancelar)})
            QVERIFY2(w->y() >= 20, qPrintable(w->objectName()));

        for (QDialog* d : {static_cast<QDialog*>(&criar), static_cast<QDialog*>(&perfil)}) {
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
            QVERIFY(d->windowFlags().testFlag(Qt::FramelessWindowHint));
            for (QWidget* w : d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(d->rect().contains(w->geometry()), qPrintable(w->objectName()));
            salvar(d, d == &criar ? "criar-sala" : "perfil");
        }
    }
};

QTEST_MAIN(TstCapturas)
#include "tst_capturas.moc"
