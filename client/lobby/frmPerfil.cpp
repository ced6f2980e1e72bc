#include "frmPerfil.h"

#include "CPacker.h"
#include "Caixas.h"
#include "Foto.h"
#include "MolduraJanela.h"
#include "Protegido.h"
#include "Texto.h"
#include "Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The file that the typed path names, matched without regard to letter case as the player
// expects from file names; "" while the text names no plain file (a folder, a pattern, nothing).
QString ArquivoNomeado(const QString& texto)
{
    if (texto.isEmpty() || texto.contains(QLatin1Char('*')) || texto.contains(QLatin1Char('?')))
        return {};
    const QFileInfo info(texto);
    if (info.isFile() && !info.isHidden())
        return info.absoluteFilePath();
    const QString nome = info.fileName();
    if (nome.isEmpty())
        return {};
    const QDir pasta = info.dir();
    const auto entradas = pasta.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& e : entradas)
        if (e.fileName().compare(nome, Qt::CaseInsensitive) == 0)
            return e.absoluteFilePath();
    return {};
}

QLabel* Rotulo(const QString& texto, QWidget* pai, double left, double top, double width)
{
    auto* l = new QLabel(texto, pai);
    Twips::Posicionar(l, left, top, width, 255);
    return l;
}
} // namespace

const QString frmPerfil::kFiltro = QStringLiteral("Imagens (*.bmp *.jpg *.jpeg *.gif *.png)");

frmPerfil::frmPerfil(QWidget* principal) : QDialog(principal)
{
    setWindowTitle(QStringLiteral("Editar Perfil"));
    setModal(true);
    setFixedSize(Twips::ParaPx(4890), Twips::ParaPx(3330));

    Rotulo(QStringLiteral("Alterar senha:"), this, 240, 480, 3240);
    txSenhaNova = new QLineEdit(this);
    txSenhaNova->setEchoMode(QLineEdit::Password);
    Twips::Posicionar(txSenhaNova, 240, 735, 3240, 315);

    Rotulo(QStringLiteral("Repita a nova senha:"), this, 240, 1170, 3240);
    txRSenhaNova = new QLineEdit(this);
    txRSenhaNova->setEchoMode(QLineEdit::Password);
    Twips::Posicionar(txRSenhaNova, 240, 1425, 3240, 315);

    Rotulo(QStringLiteral("Imagem de exibição:"), this, 240, 1860, 3240);
    txArquivo = new QLineEdit(this);
    Twips::Posicionar(txArquivo, 240, 2115, 2835, 315);
    btProcurar = new QPushButton(QStringLiteral("..."), this);
    Twips::Posicionar(btProcurar, 3120, 2115, 360, 315);

    // 795 twips outside, a one-pixel border around the 51 x 51 drawing area.
    pbImagem = new QLabel(this);
    pbImagem->setFrameShape(QFrame::Box);
    pbImagem->setLineWidth(1);
    pbImagem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::Posicionar(pbImagem, 3840, 735, 795, 795);

    btOK = new QPushButton(QStringLiteral("OK"), this);
    Twips::Posicionar(btOK, 2475, 2760, 1020, 315);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    Twips::Posicionar(btCancelar, 3615, 2760, 1020, 315);

    btMinimizar = new QPushButton(this);
    Twips::Posicionar(btMinimizar, 4395, 60, 195, 195);
    btFechar = new QPushButton(this);
    Twips::Posicionar(btFechar, 4635, 60, 195, 195);
    new MolduraJanela(this, btFechar, btMinimizar);

    // Drawn after the frame has set the palette, so the border takes the dialog's colours.
    pbImagem->setStyleSheet(
        QStringLiteral("QLabel { border: 1px solid #10241A; background: #202020; }"));

    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, Protegido::Slot(this, &frmPerfil::btOK_Click));
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(btFechar, &QPushButton::clicked, this, &QDialog::reject);
    connect(btMinimizar, &QPushButton::clicked, this, &frmPerfil::btMinimizar_Click);
    connect(btProcurar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmPerfil::btProcurar_Click));
    connect(txArquivo, &QLineEdit::textChanged, this,
            Protegido::Slot(this, &frmPerfil::txArquivo_Change));

    m_fotoExibida = Foto::FotoLocal();
    MostrarPrevia();
}

void frmPerfil::MostrarPrevia()
{
    if (m_fotoExibida.isNull()) {
        // An empty preview is the grey of a player without a picture, and is sent as such.
        m_previa = Foto::DecodificarFoto(Foto::SemFoto());
        pbImagem->clear();
        return;
    }
    m_previa = Foto::Recortar(m_fotoExibida);
    pbImagem->setPixmap(QPixmap::fromImage(m_previa));
}

void frmPerfil::txArquivo_Change()
{
    const QString arquivo = ArquivoNomeado(txArquivo->text());
    if (arquivo.isEmpty())
        return;
    QImageReader leitor(arquivo);
    leitor.setAutoTransform(true);
    const QImage imagem = leitor.read();
    if (imagem.isNull())
        return;
    m_fotoExibida = imagem;
    MostrarPrevia();
}

void frmPerfil::btProcurar_Click()
{
    const QString arquivo = Caixas::EscolherArquivo(QString(), kFiltro);
    if (!arquivo.isEmpty())
        txArquivo->setText(arquivo);
}

void frmPerfil::btMinimizar_Click()
{
    // The main window goes down; the dialog is then put back on top of the others.
    if (QWidget* principal = parentWidget())
        principal->window()->setWindowState(principal->window()->windowState() |
                                            Qt::WindowMinimized);
    raise();
    activateWindow();
}

void frmPerfil::btOK_Click()
{
    const QString p = txSenhaNova->text();
    const QString r = txRSenhaNova->text();
    if (p.isEmpty() != r.isEmpty()) {
        Caixas::Informar(QStringLiteral("Todos os campos devem estar preenchidos"));
        return;
    }

    // The picture goes on every confirmation, also when no new file was chosen.
    CPacker& packer = CPacker::Global();
    packer.SetArgumentos(1);
    packer.SetArgumento(1, Foto::CodificarFoto(m_previa));
    packer.Enviar("nvImg");

    if (p.isEmpty()) {
        accept();
        return;
    }
    if (p.size() < 4 || p.size() > 12) {
        Caixas::Informar(QStringLiteral("A senha deve entre 4 e 12 caracteres"));
        return;
    }
    if (p != r) {
        Caixas::Informar(QStringLiteral("A senha e a repetição devem ser iguais"));
        return;
    }
    packer.SetArgumentos(1);
    packer.SetArgumento(1, Texto::ParaBytes(p));
    packer.Enviar("nvSen");
    // No answer to "nvSen" ever comes; the server takes any password of 4 to 12 characters, which
    // was checked above. The dialog ends here, as it does for the picture alone.
    Caixas::Informar(QStringLiteral("Senha alterada."));
    accept();
}
