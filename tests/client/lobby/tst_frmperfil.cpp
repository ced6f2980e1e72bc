#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Foto.h"
#include "FuncoesComuns.h"
#include "frmCliente.h"
#include "frmPerfil.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray msg(const char* comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}

// A picture whose every pixel differs from its neighbours, so that any shift shows.
QByteArray Padrao()
{
    QByteArray b(Foto::kBytes, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = char((i * 7 + i / 153) & 0xFF);
    return b;
}

QImage Listrada(int largura, int altura)
{
    // Left quarter red, right quarter blue, the middle green.
    QImage img(largura, altura, QImage::Format_RGB32);
    img.fill(qRgb(0, 255, 0));
    for (int y = 0; y < altura; ++y)
        for (int x = 0; x < largura / 4; ++x) {
            img.setPixel(x, y, qRgb(255, 0, 0));
            img.setPixel(largura - 1 - x, y, qRgb(0, 0, 255));
        }
    return img;
}
} // namespace

// The profile dialog against a scripted server: the checks of the passwords, the picture and
// password sent, and the preview loaded from a file.
class TstFrmPerfil : public QObject
{
    Q_OBJECT

    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;
    std::unique_ptr<CaixasGravadas> m_caixas;
    std::unique_ptr<frmPerfil> m_dialogo;
    QTemporaryDir m_pasta;

    void abrir()
    {
        m_dialogo = std::make_unique<frmPerfil>(m_cliente.get());
        m_dialogo->show();
    }

    // What the client sent, up to the marker chat line it is made to send now.
    QByteArray enviado()
    {
        m_cliente->txFalar->setText("fim");
        m_cliente->btEnviar->click();
        const QByteArray fim = msg("slBla", {"fim"});
        if (!QTest::qWaitFor([&] { return m_servidor->Recebido().endsWith(fim); }, 10000))
            return "(o fim não chegou)";
        const QByteArray r = m_servidor->Recebido().chopped(fim.size());
        m_servidor->LimparRecebido();
        return r;
    }

    void senhas(const QString& p, const QString& r)
    {
        m_dialogo->txSenhaNova->setText(p);
        m_dialogo->txRSenhaNova->setText(r);
    }

private slots:
    void initTestCase() { QVERIFY(m_pasta.isValid()); }

    void init()
    {
        m_servidor = new ServidorRoteirizado(this);
        QVERIFY(m_servidor->Escutando());
        m_caixas = std::make_unique<CaixasGravadas>();
        m_cliente = ClienteDeTeste(*m_servidor);
        QVERIFY(m_cliente);
        m_cliente->show();
        // The present picture comes from the server, as it does after a login.
        m_servidor->Enviar(msg("imLoc", {Padrao()}));
        QTRY_VERIFY_WITH_TIMEOUT(!Foto::FotoLocal().isNull(), 10000);
        abrir();
    }

    void cleanup()
    {
        m_dialogo.reset();
        m_cliente.reset();
        delete m_servidor;
        m_caixas.reset();
        Foto::FotoLocal() = QImage();
    }

    void semSenhaEnviaAFotoAtualEFecha()
    {
        QCOMPARE(m_dialogo->txSenhaNova->echoMode(), QLineEdit::Password);
        QCOMPARE(m_dialogo->txRSenhaNova->echoMode(), QLineEdit::Password);
        m_dialogo->btOK->click();
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(m_dialogo->result(), int(QDialog::Accepted));
        // The picture goes back byte for byte as it came.
        QCOMPARE(enviado(), msg("nvImg", {Padrao()}));
        QVERIFY(m_caixas->lista.isEmpty());
    }

    void soUmaDasSenhasNaoEnviaNada()
    {
        for (const auto& [p, r] : {std::pair{"", "abcd"}, std::pair{"abcd", ""}}) {
            m_caixas->lista.clear();
            senhas(p, r);
            m_dialogo->btOK->click();
            QCOMPARE(m_caixas->Textos(), QStringList{"Todos os campos devem estar preenchidos"});
            QVERIFY(m_dialogo->isVisible());
        }
        QCOMPARE(enviado(), QByteArray());
    }

    void tamanhoDaSenha()
    {
        const QByteArray foto = msg("nvImg", {Padrao()});
        senhas("abc", "abc");
        m_dialogo->btOK->click();
        QCOMPARE(m_caixas->Textos(), QStringList{"A senha deve entre 4 e 12 caracteres"});
        QVERIFY(m_dialogo->isVisible());
        QCOMPARE(enviado(), foto);

        m_caixas->lista.clear();
        senhas("abcdefghijklm", "abcdefghijklm");
        m_dialogo->btOK->click();
        QCOMPARE(m_caixas->Textos(), QStringList{"A senha deve entre 4 e 12 caracteres"});
        QCOMPARE(enviado(), foto);

        // Corrected and confirmed again: the picture again, then the password; the dialog ends.
        m_caixas->lista.clear();
        senhas(QStringLiteral("abçd"), QStringLiteral("abçd"));
        m_dialogo->btOK->click();
        QVERIFY(m_caixas->lista.isEmpty());
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(enviado(), foto + msg("nvSen", {"ab\xE7"
                                                 "d"}));

        abrir();
        senhas("abcdefghijkl", "abcdefghijkl");
        m_dialogo->btOK->click();
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(enviado(), foto + msg("nvSen", {"abcdefghijkl"}));
    }

    void repeticaoDiferente()
    {
        senhas("Segredo", "segredo");
        m_dialogo->btOK->click();
        QCOMPARE(m_caixas->Textos(),
                 QStringList{QStringLiteral("A senha e a repetição devem ser iguais")});
        QVERIFY(m_dialogo->isVisible() && m_dialogo->btOK->isEnabled() &&
                m_dialogo->btCancelar->isEnabled() && m_dialogo->btFechar->isEnabled());
        QCOMPARE(enviado(), msg("nvImg", {Padrao()}));
    }

    void cancelarEFecharNaoEnviam()
    {
        senhas("abcd", "abcd");
        m_dialogo->btCancelar->click();
        QVERIFY(!m_dialogo->isVisible());
        abrir();
        m_dialogo->btFechar->click();
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(enviado(), QByteArray());
    }

    void imagemLargaCortadaAoCentro()
    {
        const QString caminho = m_pasta.filePath("larga.png");
        QVERIFY(Listrada(204, 102).save(caminho));
        m_dialogo->txArquivo->setText(caminho);
        const QImage p = m_dialogo->Previa();
        QCOMPARE(p.size(), QSize(51, 51));
        for (int y = 0; y < 51; y += 5)
            for (int x = 1; x < 50; ++x)
                QVERIFY2(p.pixel(x, y) == qRgb(0, 255, 0),
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
        // What is previewed is what is sent.
        m_dialogo->btOK->click();
        QCOMPARE(enviado(), msg("nvImg", {Foto::CodificarFoto(p)}));
    }

    void caminhoDigitadoCarregaQuandoNomeiaUmaImagem()
    {
        QDir(m_pasta.path()).mkdir("pasta.png");
        const QString caminho = m_pasta.filePath("Quadrada.png");
        QImage quadrada(60, 60, QImage::Format_RGB32);
        quadrada.fill(qRgb(200, 10, 10));
        QVERIFY(quadrada.save(caminho));
        QFile texto(m_pasta.filePath("texto.png"));
        QVERIFY(texto.open(QIODevice::WriteOnly) && texto.write("não é imagem") > 0);
        texto.close();

        const QImage atual = m_dialogo->Previa();
        QCOMPARE(Foto::CodificarFoto(atual), Padrao());
        // Neither a pattern, a folder, a file that is no image nor a part of the name loads.
        for (const QString& t : {m_pasta.filePath("*.png"), m_pasta.filePath("Quadr?da.png"),
                                 m_pasta.filePath("pasta.png"), m_pasta.filePath("texto.png"),
                                 m_pasta.filePath("nada.png")}) {
            m_dialogo->txArquivo->setText(t);
            QVERIFY2(m_dialogo->Previa() == atual, qPrintable(t));
        }

        // Typed letter by letter: the preview changes once the text names the file.
        m_dialogo->txArquivo->clear();
        const QString falta = QStringLiteral("ng");
        QTest::keyClicks(m_dialogo->txArquivo, caminho.chopped(falta.size()));
        QVERIFY(m_dialogo->Previa() == atual);
        QTest::keyClicks(m_dialogo->txArquivo, falta);
        QCOMPARE(m_dialogo->Previa().pixel(25, 25), qRgb(200, 10, 10));

        // Letter case does not matter in the file's name.
        abrir();
        m_dialogo->txArquivo->setText(m_pasta.filePath("QUADRADA.PNG"));
        QCOMPARE(m_dialogo->Previa().pixel(0, 0), qRgb(200, 10, 10));
        QCOMPARE(m_dialogo->Previa().pixel(50, 50), qRgb(200, 10, 10));
    }

    void procurarPreencheOCaminho()
    {
        const QString caminho = m_pasta.filePath("alta.png");
        QVERIFY(Listrada(40, 80).save(caminho));
        QList<Caixas::Caixa> pedidos;
        QString resposta;
        Caixas::SetInterceptador([&](const Caixas::Caixa& c) {
            pedidos << c;
            return resposta;
        });
        m_dialogo->btProcurar->click();
        QCOMPARE(pedidos.size(), 1);
        QCOMPARE(pedidos[0].tipo, Caixas::Tipo::Arquivo);
        for (const char* padrao : {"*.bmp", "*.jpg", "*.gif"})
            QVERIFY(pedidos[0].filtro.contains(padrao));
        QVERIFY(m_dialogo->txArquivo->text().isEmpty());

        resposta = caminho;
        m_dialogo->btProcurar->click();
        QCOMPARE(m_dialogo->txArquivo->text(), caminho);
        // Tall and narrow: the whole width shows, stripes included.
        QCOMPARE(m_dialogo->Previa().pixel(5, 25), qRgb(255, 0, 0));
        QCOMPARE(m_dialogo->Previa().pixel(25, 25), qRgb(0, 255, 0));
        QCOMPARE(m_dialogo->Previa().pixel(45, 25), qRgb(0, 0, 255));
    }

    void minimizarBaixaAJanelaPrincipal()
    {
        m_dialogo->btMinimizar->click();
        QVERIFY(m_cliente->windowState().testFlag(Qt::WindowMinimized));
        QVERIFY(m_dialogo->isVisible());
    }
};

QTEST_MAIN(TstFrmPerfil)
#include "tst_frmperfil.moc"
