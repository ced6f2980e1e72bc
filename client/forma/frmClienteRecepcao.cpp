// The receive path of the main window: bytes from the socket are cut into messages, each parsed
// and routed by its command, in stream order.

#include "frmCliente.h"

#include "CUnPacker.h"
#include "CVariaveis.h"
#include "CaixaFigura.h"
#include "Caixas.h"
#include "Conversao.h"
#include "ErroProtocolo.h"
#include "Espera.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Texto.h"
#include "Versao.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTcpSocket>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

void frmCliente::Sock_DataArrival()
{
    if (Espera::Encerrando()) {
        Form_Unload();
        return;
    }
    // A reaction that waits (a box, an animation) lets events run, and data may arrive meanwhile:
    // it is only kept, and the pass handles it in order once that reaction has ended.
    if (m_emPassagem) {
        // A server that keeps sending while a reaction waits must not make the client hold an
        // unbounded amount it cannot handle yet (past 2 GiB the buffer itself fails).
        const qint64 guardados = BufferRecepcao.Pendentes() + Sock->bytesAvailable();
        if (guardados > kLimiteEmEspera) {
            // Nothing more is read: the box lets events run, and a flood would bring a box per
            // read.
            Sock->abort();
            RelatarErro(QStringLiteral("Dados demais à espera: %1 bytes").arg(guardados));
            return;
        }
        BufferRecepcao.Acrescentar(Sock->readAll());
        return;
    }
    m_emPassagem = true;
    ProcessarMensagens();
}

// Handles the kept messages in stream order until none is left or a reaction waits; the pass
// stays open while it waits and goes on from VerificarReacaoEmEspera().
void frmCliente::ProcessarMensagens()
{
    try {
        for (;;) {
            // Qt does not signal data that arrives while this slot waits, so every message
            // looks at the socket again.
            if (Sock->bytesAvailable() > 0)
                BufferRecepcao.Acrescentar(Sock->readAll());
            // The parser copies what it keeps, so the view may go stale once it has read it.
            const std::optional<QByteArrayView> mensagem = BufferRecepcao.ProximaVista();
            if (!mensagem)
                break;
            CUnPacker::Global().SetPacote(*mensagem);
            m_contagem = mensagem->size() > 9 ? quint8(mensagem->at(9)) : 0;
            Despachar();
            if (!m_reacaoEmEspera.Concluida())
                return;
            if (Espera::Encerrando())
                break;
        }
    } catch (const std::exception& erro) {
        RelatarErro(QString::fromUtf8(erro.what()));
    }
    m_emPassagem = false;

    if (m_perdaPendente && !Espera::Encerrando())
        VoltarAoLogin(QStringLiteral("Conexão com o servidor perdida."));
}

void frmCliente::VerificarReacaoEmEspera()
{
    if (!m_prontoParaRetomar || (!Espera::Encerrando() && !m_prontoParaRetomar()))
        return;
    m_prontoParaRetomar = nullptr;
    if (Espera::Encerrando()) {
        m_reacaoEmEspera.Descartar();
        m_emPassagem = false;
        return;
    }
    try {
        m_reacaoEmEspera.Retomar();
        if (!m_reacaoEmEspera.Concluida())
            return;
        emit Tratada(m_comandoEmEspera);
    } catch (const std::exception& erro) {
        // The pass stays open under the box: what arrives meanwhile is only kept.
        RelatarErro(QString::fromUtf8(erro.what()));
        m_emPassagem = false;
        return;
    }
    ProcessarMensagens();
}

// The server closed the connection or the socket failed after it was connected. What arrived
// before is still handled, then the loss is reported once.
void frmCliente::Sock_Perdida()
{
    if (!m_conectado || Espera::Encerrando())
        return;
    m_conectado = false;
    m_perdaPendente = true;
    if (!m_emPassagem)
        Sock_DataArrival();
}

void frmCliente::RelatarErro(const QString& descricao)
{
    Caixas::Relatar(QStringLiteral("Erro: ") + descricao + QStringLiteral("\r\n") +
                    QStringLiteral("Comando: ") + Texto::DeBytes(CUnPacker::Global().Comando()));
    Form_Unload();
}

namespace {

// An argument beyond the message's own count: the parser keeps the slots of an earlier message.
void ConferirIndice(quint8 i, quint8 contagem)
{
    if (i > contagem)
        throw ErroProtocolo("Subscrito fora do intervalo: argumento " + std::to_string(i) + " de " +
                            std::to_string(contagem));
}

// A five-byte command as one integer, the first byte highest; a shorter command matches nothing.
constexpr quint64 CodigoComando(const char* c)
{
    return (quint64(quint8(c[0])) << 32) | (quint64(quint8(c[1])) << 24) |
           (quint64(quint8(c[2])) << 16) | (quint64(quint8(c[3])) << 8) | quint64(quint8(c[4]));
}

} // namespace

QByteArray frmCliente::ArgBytes(quint8 i) const
{
    ConferirIndice(i, m_contagem);
    return CUnPacker::Global().Argumento(i);
}

QString frmCliente::ArgTexto(quint8 i) const
{
    ConferirIndice(i, m_contagem);
    return Texto::DeBytes(CUnPacker::Global().ArgumentoVista(i));
}

qint32 frmCliente::ArgNumero(quint8 i) const
{
    return Conversao::ParaNumero(ArgTexto(i));
}

void frmCliente::Despachar()
{
    // A route calls either a plain reaction or one that may wait for the table's animations.
    struct Rota
    {
        quint64 codigo;
        const char* nome;
        void (frmCliente::*reacao)();
        Reacao (frmCliente::*reacaoQueEspera)();
    };
    // Every command the server sends, sorted by its code; one that is in none is ignored.
    static constexpr auto kRotas = [] {
        std::array<Rota, 22> rotas{{
            {CodigoComando("utVer"), "utVer", &frmCliente::utVer, nullptr},
            {CodigoComando("erCNC"), "erCNC", &frmCliente::erCNC, nullptr},
            {CodigoComando("erEnt"), "erEnt", &frmCliente::erEnt, nullptr},
            {CodigoComando("erCmJ"), "erCmJ", &frmCliente::erCmJ, nullptr},
            {CodigoComando("okAcc"), "okAcc", &frmCliente::okAcc, nullptr},
            {CodigoComando("okEnt"), "okEnt", &frmCliente::okEnt, nullptr},
            {CodigoComando("imLoc"), "imLoc", &frmCliente::imLoc, nullptr},
            {CodigoComando("slInf"), "slInf", &frmCliente::slInf, nullptr},
            {CodigoComando("hlInf"), "hlInf", &frmCliente::hlInf, nullptr},
            {CodigoComando("slMsg"), "slMsg", &frmCliente::slMsg, nullptr},
            {CodigoComando("cmJog"), "cmJog", nullptr, &frmCliente::cmJog},
            {CodigoComando("cmPrt"), "cmPrt", nullptr, &frmCliente::cmPrt},
            {CodigoComando("cmM11"), "cmM11", nullptr, &frmCliente::cmM11},
            {CodigoComando("esM11"), "esM11", &frmCliente::esM11, nullptr},
            {CodigoComando("Carta"), "Carta", &frmCliente::Carta, nullptr},
            {CodigoComando("prFim"), "prFim", &frmCliente::prFim, nullptr},
            {CodigoComando("rdFim"), "rdFim", nullptr, &frmCliente::rdFim},
            {CodigoComando("Truco"), "Truco", &frmCliente::Truco, nullptr},
            {CodigoComando("tcAct"), "tcAct", &frmCliente::tcAct, nullptr},
            {CodigoComando("jgInf"), "jgInf", &frmCliente::jgInf, nullptr},
            {CodigoComando("jgFim"), "jgFim", nullptr, &frmCliente::jgFim},
            {CodigoComando("Setar"), "Setar", &frmCliente::Setar, nullptr},
        }};
        std::ranges::sort(rotas, {}, &Rota::codigo);
        return rotas;
    }();
    const QByteArrayView comando = CUnPacker::Global().ComandoVista();
    if (comando.size() != 5)
        return;
    const quint64 codigo = CodigoComando(comando.data());
    const auto rota = std::ranges::lower_bound(kRotas, codigo, {}, &Rota::codigo);
    if (rota == kRotas.end() || rota->codigo != codigo)
        return;
    // The name is a literal: handing it out copies nothing.
    const QByteArray nome = QByteArray::fromRawData(rota->nome, 5);
    if (DeMesaDeixada(nome)) {
        // Nothing to do.
    } else if (rota->reacao) {
        (this->*rota->reacao)();
    } else {
        m_reacaoEmEspera = (this->*rota->reacaoQueEspera)();
        if (!m_reacaoEmEspera.Concluida()) {
            m_comandoEmEspera = nome;
            return;
        }
    }
    emit Tratada(nome);
}

void frmCliente::utVer()
{
    if (ArgBytes(1) == QByteArrayView(kVersaoQuarpel)) {
        show();
        return;
    }
    IniciarAtualizador();
    Form_Unload();
}

// The updater lies beside the client and gets the client's own command line.
void frmCliente::IniciarAtualizador()
{
#ifdef Q_OS_WIN
    const QString nome = QStringLiteral("AutoUpdate.exe");
#else
    const QString nome = QStringLiteral("AutoUpdate");
#endif
    const QString programa = QCoreApplication::applicationDirPath() + QLatin1Char('/') + nome;
    if (!QFileInfo(programa).isFile())
        throw std::runtime_error("Arquivo não encontrado: " + programa.toStdString());
    QProcess processo;
    processo.setProgram(programa);
    processo.setArguments(m_argumentos);
    if (!processo.startDetached())
        throw std::runtime_error("Não foi possível iniciar " + programa.toStdString() + ": " +
                                 processo.errorString().toStdString());
}

void frmCliente::erCNC()
{
    DevolverTela(frCadastro, frCadastro->txCdLogin, ArgTexto(1));
}

void frmCliente::erEnt()
{
    DevolverTela(frSalas, frSalas->ltSlSalas, ArgTexto(1));
}

void frmCliente::erCmJ()
{
    Caixas::Informar(ArgTexto(1));
    frJogo->btJgIniciarJogo->setEnabled(true);
    frJogo->JogoIniciado = false;
}

void frmCliente::okAcc()
{
    frCadastro->setEnabled(true);
    MudarFrame(frLogin);
    Caixas::Informar(QStringLiteral("Cadastro efetuado!"));
}

// A new table starts clean: a game asked for at the last table ("Start" sent, the player left
// before "cmJog") must not keep the start button disabled and the seats locked here, and the
// deck a finished game left on the table shows again only with the first deal.
void frmCliente::okEnt()
{
    frSalas->setEnabled(true);
    MesaDeEspera();
    frJogo->MudarNomeSala(ArgTexto(1));
    MudarFrame(frJogo);
}

// The message of a burst: the key is decoded into a buffer kept for it and the value straight
// into the stored one, so that rewriting a variable allocates nothing.
void frmCliente::Setar()
{
    ConferirIndice(1, m_contagem);
    ConferirIndice(2, m_contagem);
    const QByteArrayView chave = CUnPacker::Global().ArgumentoVista(1);
    const QByteArrayView valor = CUnPacker::Global().ArgumentoVista(2);
    Texto::DeBytes(chave, m_chaveSetar);
    QString& guardado = CVariaveis::Global().Lugar(m_chaveSetar);
    Texto::DeBytes(valor, guardado);
    DepoisDeEscrever(m_chaveSetar, guardado);
}
