// The connection to the server: opened at the load, opened again by the next try after it was
// lost or given up, and what of the stream it drops.

#include "frmCliente.h"

#include "CPacker.h"
#include "CUnPacker.h"
#include "CVariaveis.h"
#include "Caixas.h"
#include "Conversao.h"
#include "Espera.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCriarSala.h"
#include "frmPerfil.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTcpSocket>
#include <QTreeWidget>

QTcpSocket* frmCliente::NovoSocket()
{
    auto* socket = new QTcpSocket(this);
    connect(socket, &QTcpSocket::readyRead, this, &frmCliente::Sock_DataArrival);
    connect(socket, &QTcpSocket::disconnected, this, &frmCliente::Sock_Perdida);
    connect(socket, &QTcpSocket::errorOccurred, this, &frmCliente::Sock_Perdida);
    return socket;
}

bool frmCliente::Conectar()
{
    CPacker::Global().Setup(Sock);
    Sock->connectToHost(HostDoServidor(m_argumentos.join(QLatin1Char(' '))), m_porta);
    Espera::Aguardar([this] {
        return Sock->state() != QAbstractSocket::HostLookupState &&
               Sock->state() != QAbstractSocket::ConnectingState;
    });
    if (Espera::Encerrando() || Sock->state() != QAbstractSocket::ConnectedState)
        return false;
    m_conectado = true;
    CPacker::Global().Enviar("obVer");
    return true;
}

bool frmCliente::GarantirConexao(QWidget* tela)
{
    if (m_conectado)
        return true;
    // A second click while connecting would connect the socket twice.
    tela->setEnabled(false);
    const bool conectou = Conectar();
    tela->setEnabled(true);
    if (!conectou && !Espera::Encerrando())
        Caixas::Informar(QStringLiteral("Servidor não encontrado!"));
    return conectou;
}

void frmCliente::FecharConexao()
{
    m_conectado = false;
    m_perdaPendente = false;
    Espera::Interromper();
    // A reaction that waits for animations belongs to the old stream; one running under a box
    // ends by itself and finds nothing left to handle.
    if (m_prontoParaRetomar) {
        m_prontoParaRetomar = nullptr;
        m_reacaoEmEspera.Descartar();
        m_emPassagem = false;
    }
    BufferRecepcao.Limpar();
    CUnPacker::Global() = CUnPacker();
    m_contagem = 0;
    Sock->disconnect(this);
    Sock->abort();
    Sock->deleteLater();
    Sock = NovoSocket();
    EscreverValoresIniciais();
}

void frmCliente::VoltarAoLogin(const QString& aviso)
{
    QString login;
    try {
        login = Variaveis(QStringLiteral("Login"));
    } catch (const std::exception&) {
    }
    FecharConexao();
    // The lobby's dialogs speak for a login that is gone; one waiting for the server would wait
    // for nothing.
    for (QDialog* dialogo : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<frmCriarSala*>(dialogo) || qobject_cast<frmPerfil*>(dialogo))
            dialogo->done(QDialog::Rejected);
    Caixas::Informar(aviso);
    if (Espera::Encerrando())
        return;

    // The table is left as its own button leaves it; with no connection nothing is sent.
    if (FrameAtual == frJogo)
        btJgSair_Click();
    frJogo->JogoIniciado = false;
    setWindowTitle(QStringLiteral("Quarpel"));
    frSalas->ltSlSalas->clear();
    frSalas->ltSlJogadores->clear();
    for (QWidget* tela : {static_cast<QWidget*>(frLogin), static_cast<QWidget*>(frCadastro),
                          static_cast<QWidget*>(frSalas)})
        tela->setEnabled(true);
    // A new player keeps his sign-up form where it was.
    if (FrameAtual == frCadastro)
        return;
    // "_" begins a refusal, not a name.
    if (!login.isEmpty() && !login.startsWith(QLatin1Char('_')))
        frLogin->txLgLogin->setText(login);
    MudarFrame(frLogin);
    // The password is still there: Enter logs in again.
    frLogin->txLgSenha->setFocus();
    frLogin->txLgSenha->selectAll();
}

void frmCliente::EscreverValoresIniciais()
{
    CVariaveis::Global().Limpar();
    SetVariaveis(QStringLiteral("Login"), QString());
    SetVariaveis(QStringLiteral("Hosting"), Conversao::DeBooleano(false));
    for (int s = 1; s <= 4; ++s)
        SetVariaveis(QStringLiteral("Jogador%1").arg(s), QString());
    SetVariaveis(QStringLiteral("JogLocal"), QStringLiteral("1"));
    SetVariaveis(QStringLiteral("Parcial0"), QStringLiteral("0"));
    SetVariaveis(QStringLiteral("Parcial1"), QStringLiteral("0"));
    SetVariaveis(QStringLiteral("Total0"), QStringLiteral("0"));
    SetVariaveis(QStringLiteral("Total1"), QStringLiteral("0"));
}
