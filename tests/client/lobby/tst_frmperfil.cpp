#include "Bancada.h"
#include "Foto.h"
#include "frmPerfil.h"

#include <QPainter>
#include <QTemporaryDir>

namespace {
// A picture whose every pixel differs from its neighbours, so that any shift shows.
QByteArray Padrao()
{
    QByteArray b(Foto::kBytes, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = char((i * 7 + i / 153) & 0xFF);
    return b;
}
} // namespace

// The profile dialog against a scripted server: the checks of the passwords, the picture and
// password sent, and the preview loaded from a file.
class TstFrmPerfil : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;
    std::unique_ptr<frmPerfil> m_dialogo;

    void abrir()
    {
        m_dialogo = std::make_unique<frmPerfil>(b->cliente.get());
        m_dialogo->show();
    }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        b->cliente->show();
        // The present picture comes from the server, as it does after a login.
        QVERIFY(b->Receber(Msg("imLoc", {Padrao()})));
        abrir();
    }

    void cleanup()
    {
        m_dialogo.reset();
        b.reset();
        Foto::FotoLocal() = QImage();
    }

    void senhasChecadasEFotoEnviadaComoVeio()
    {
        const char* campos = "Todos os campos devem estar preenchidos";
        const char* tamanho = "A senha deve entre 4 e 12 caracteres";
        // In order on one dialog, so a corrected password passes after a refused one; the
        // picture goes back byte for byte as it came, also when the password is refused.
        const struct
        {
            const char *senha, *repeticao, *caixa, *enviada;
            bool foto;
        } casos[] = {
            {"", "abcd", campos, nullptr, false},
            {"abcd", "", campos, nullptr, false},
            {"abc", "abc", tamanho, nullptr, true},
            {"abcdefghijklm", "abcdefghijklm", tamanho, nullptr, true},
            {"Segredo", "segredo", "A senha e a repetição devem ser iguais", nullptr, true},
            {"abçd", "abçd", nullptr, "ab\xE7\x64", true},
            {"abcdefghijkl", "abcdefghijkl", nullptr, "abcdefghijkl", true},
            {"", "", nullptr, nullptr, true},
        };
        for (const auto& c : casos) {
            if (!m_dialogo->isVisible())
                abrir();
            b->caixas.lista.clear();
            m_dialogo->txSenhaNova->setText(QString::fromUtf8(c.senha));
            m_dialogo->txRSenhaNova->setText(QString::fromUtf8(c.repeticao));
            m_dialogo->btOK->click();
            QCOMPARE(b->caixas.Textos(), c.caixa     ? QStringList{QString::fromUtf8(c.caixa)}
                                         : c.enviada ? QStringList{"Senha alterada."}
                                                     : QStringList{});
            QCOMPARE(m_dialogo->isVisible(), c.caixa != nullptr);
            QCOMPARE(b->Enviado(), (c.foto ? Msg("nvImg", {Padrao()}) : QByteArray()) +
                                       (c.enviada ? Msg("nvSen", {c.enviada}) : QByteArray()));
        }
    }

    void procurarPreencheOCaminho()
    {
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath("larga.png"), digitado = pasta.filePath("LARGA.png");
        QImage larga(204, 102, QImage::Format_RGB32); // the quarters red and blue, the middle green
        larga.fill(Qt::green);
        QPainter g(&larga);
        g.fillRect(0, 0, 51, 102, Qt::red);
        g.fillRect(153, 0, 51, 102, Qt::blue);
        g.end();
        QVERIFY(larga.save(caminho));
        Caixas::SetInterceptador([&](const Caixas::Caixa& c) {
            return c.tipo == Caixas::Tipo::Arquivo && c.filtro.contains("*.png") ? digitado : "";
        });
        m_dialogo->btProcurar->click();
        QCOMPARE(m_dialogo->txArquivo->text(), digitado);
        // Wide: cut at the centre, only the green middle shows; what is previewed is sent.
        const QImage p = m_dialogo->Previa();
        for (int x = 1; x < 50; ++x)
            QCOMPARE(p.pixel(x, 25), qRgb(0, 255, 0));
        m_dialogo->btOK->click();
        QCOMPARE(b->Enviado(), Msg("nvImg", {Foto::CodificarFoto(p)}));
    }
};

QTEST_MAIN(TstFrmPerfil)
#include "tst_frmperfil.moc"
