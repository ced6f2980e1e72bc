// The lobby: its updates from the server and the player's actions in it.

#include "frmCliente.h"

#include "Aparencia.h"
#include "CPacker.h"
#include "Caixas.h"
#include "Conversao.h"
#include "Espera.h"
#include "Foto.h"
#include "HistoricoChat.h"
#include "ListaSalas.h"
#include "TelaJogo.h"
#include "TelaSalas.h"
#include "Texto.h"
#include "frmCriarSala.h"
#include "frmPerfil.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <stdexcept>

namespace {
// Arguments are addressed by one byte: a list that would need argument 256 or beyond cannot be
// in the message.
quint8 Indice(int i)
{
    if (i < 1 || i > 255)
        throw std::out_of_range("Índice de argumento fora do intervalo: " + std::to_string(i));
    return quint8(i);
}
} // namespace

void frmCliente::imLoc()
{
    QByteArray foto = ArgBytes(1);
    if (foto.isEmpty())
        foto = Foto::SemFoto();
    Foto::FotoLocal() = Foto::DecodificarFoto(foto);
}

void frmCliente::slInf()
{
    QTreeWidget* lista = frSalas->ltSlSalas;
    // The list is rebuilt whenever any room changes: the selection stays on the same room.
    const QTreeWidgetItem* atual = lista->currentItem();
    const QString selecionada = atual && atual->isSelected() ? atual->text(0) : QString();
    lista->clear();
    const int n = Conversao::ParaNumero(ArgTexto(1));
    for (int r = 0; r < n; ++r) {
        if (Conversao::ParaNumero(ArgTexto(Indice(4 * r + 5))) == 1)
            continue;
        auto* item = new QTreeWidgetItem(lista);
        item->setText(0, ArgTexto(Indice(4 * r + 2)));
        item->setText(1, ArgTexto(Indice(4 * r + 3)));
        item->setText(2, Conversao::ParaBooleano(ArgTexto(Indice(4 * r + 4)))
                             ? QStringLiteral("Sim")
                             : QStringLiteral("Não"));
        if (!selecionada.isNull() && item->text(0) == selecionada && !lista->currentItem())
            lista->setCurrentItem(item);
    }
    ListaSalas::AjustarColunas(lista, Aparencia::FonteDaJanela(this));
}

void frmCliente::hlInf()
{
    QListWidget* lista = frSalas->ltSlJogadores;
    lista->clear();
    const int n = Conversao::ParaNumero(ArgTexto(1));
    for (int i = 1; i <= n; ++i)
        lista->addItem(ArgTexto(Indice(i + 1)));
}

void frmCliente::slMsg()
{
    HistoricoChat::Da(txChat)->Acrescentar(ArgTexto(1), ArgTexto(2));
}

void frmCliente::btSlEntrar_Click()
{
    QTreeWidget* lista = frSalas->ltSlSalas;
    const QList<QTreeWidgetItem*> selecionados = lista->selectedItems();
    if (selecionados.isEmpty())
        return;
    // The list may be rebuilt while the password box is open, so the room is taken by its name
    // before the box and looked up again after it.
    const int linha = lista->indexOfTopLevelItem(selecionados.constFirst()) + 1;
    const QString sala = ListaSalas::TextoDaCelula(lista, 1, linha);

    QString senha;
    if (ListaSalas::TextoDaCelula(lista, 3, linha) == QLatin1String("Sim")) {
        const std::optional<QString> digitada =
            Caixas::PedirSenha(QStringLiteral("Digite a senha:"));
        if (!digitada)
            return;
        senha = *digitada;
        if (lista->findItems(sala, Qt::MatchExactly, 0).isEmpty())
            return Caixas::Informar(QStringLiteral("A sala %1 não existe mais.").arg(sala));
    }

    CPacker& packer = CPacker::Global();
    packer.SetArgumentos(2);
    packer.SetArgumento(1, Texto::ParaBytes(sala));
    packer.SetArgumento(2, Texto::ParaBytes(senha));
    packer.Enviar("Entra");
    // "okEnt" or "erEnt" enables the lobby again.
    frSalas->setEnabled(false);
    // Given up, the entry might still be granted: the connection goes, and the login with it.
    Espera::Vigiar(
        frSalas, [this] { return frSalas->isEnabled(); },
        [this] { VoltarAoLogin(Espera::kSemResposta); });
}

void frmCliente::btSlCriarSala_Click()
{
    frmCriarSala dialogo(this);
    connect(&dialogo, &frmCriarSala::Criada, this, &frmCliente::SentarComoAnfitriao);
    connect(&dialogo, &frmCriarSala::SemResposta, this,
            [this] { VoltarAoLogin(Espera::kSemResposta); });
    dialogo.exec();
}

void frmCliente::SentarComoAnfitriao(const QString& nomeNaMesa)
{
    for (const char* chave : {"Jogador2", "Jogador3", "Jogador4"})
        SetVariaveis(QLatin1String(chave), QString());
    SetVariaveis(QStringLiteral("Jogador1"), Variaveis(QStringLiteral("Login")));
    frJogo->MudarNomeSala(nomeNaMesa);
    frJogo->JogSel = 4;
    SetVariaveis(QStringLiteral("Hosting"), QStringLiteral("True"));
    SetVariaveis(QStringLiteral("JogLocal"), QStringLiteral("0"));
    MesaDeEspera();
    MudarFrame(frJogo);
}

void frmCliente::btSlImagem_Click()
{
    frmPerfil dialogo(this);
    dialogo.exec();
}

void frmCliente::btEnviar_Click()
{
    const QString texto = txFalar->text();
    if (texto.isEmpty())
        return;
    CPacker& packer = CPacker::Global();
    packer.SetArgumentos(1);
    packer.SetArgumento(1, Texto::ParaBytes(texto));
    packer.Enviar("slBla");
    // The history grows only by the lines the server sends back.
    txFalar->clear();
}

void frmCliente::txChat_Change()
{
    txChat->moveCursor(QTextCursor::End);
}
