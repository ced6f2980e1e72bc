#include "frmCliente.h"

#include "CVariaveis.h"
#include "CaixaFigura.h"
#include "Caixas.h"
#include "Conversao.h"
#include "Espera.h"
#include "MolduraJanela.h"
#include "Protegido.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Texto.h"
#include "Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTreeWidget>

frmCliente::frmCliente(const QStringList& argumentos, quint16 porta, QWidget* pai)
    : QWidget(pai), m_argumentos(argumentos), m_porta(porta)
{
    setWindowTitle(QStringLiteral("Quarpel"));
    // The screens were drawn for a small font: at this size their captions fit their controls.
    QFont fonte(QStringLiteral("DejaVu Sans"));
    fonte.setPixelSize(10);
    setFont(fonte);
    setFixedSize(Twips::ParaPx(9435), Twips::ParaPx(7815));
    Caixas::SetJanela(this);

    Sock = NovoSocket();

    MontarTelas();
}

// The socket dies with the window and says it disconnected: that is no lost connection.
frmCliente::~frmCliente()
{
    Sock->disconnect(this);
}

void frmCliente::MontarTelas()
{
    frLogin = new TelaLogin(this);
    frCadastro = new TelaCadastro(this);
    frSalas = new TelaSalas(this);
    frJogo = new TelaJogo(this);
    for (QWidget* frame : {static_cast<QWidget*>(frLogin), static_cast<QWidget*>(frCadastro),
                           static_cast<QWidget*>(frSalas), static_cast<QWidget*>(frJogo)}) {
        Twips::Posicionar(frame, 60, 300, 9315, 7455);
        frame->hide();
    }
    frLogin->show();
    FrameAtual = frLogin;

    // The chat starts laid out for the lobby; MudarFrame lends it to the lobby or the table.
    txChat = new QPlainTextEdit(frSalas);
    txChat->setReadOnly(true);
    txChat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Twips::Posicionar(txChat, 60, 5700, 9195, 1335);
    txFalar = new QLineEdit(frSalas);
    txFalar->setMaxLength(70);
    Twips::Posicionar(txFalar, 60, 7080, 8475, 285);
    btEnviar = new QPushButton(QStringLiteral("Enviar"), frSalas);
    Twips::Posicionar(btEnviar, 8580, 7080, 675, 315);

    btMinimizar = new QPushButton(QStringLiteral("-"), this);
    Twips::Posicionar(btMinimizar, 8940, 60, 195, 195);
    btFechar = new QPushButton(QStringLiteral("X"), this);
    Twips::Posicionar(btFechar, 9180, 60, 195, 195);
    for (QPushButton* b : {btMinimizar, btFechar})
        b->setFocusPolicy(Qt::NoFocus);
    new MolduraJanela(this, btFechar, btMinimizar);

    connect(btFechar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btFechar_Click));
    connect(btMinimizar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btMinimizar_Click));
    connect(frLogin->btLgOK, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btLgOK_Click));
    connect(frLogin->btLgCriarConta, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btLgCriarConta_Click));
    connect(frCadastro->btCdOk, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btCdOk_Click));
    connect(frCadastro->btCdCancelar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btCdCancelar_Click));
    connect(frSalas->btSlEntrar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btSlEntrar_Click));
    connect(frSalas->btSlCriarSala, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btSlCriarSala_Click));
    connect(frSalas->btSlImagem, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btSlImagem_Click));
    connect(frSalas->ltSlSalas, &QTreeWidget::itemDoubleClicked, this,
            Protegido::Slot(this, &frmCliente::btSlEntrar_Click));
    connect(btEnviar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btEnviar_Click));
    connect(txChat, &QPlainTextEdit::textChanged, this,
            Protegido::Slot(this, &frmCliente::txChat_Change));
    connect(frJogo->btJgIniciarJogo, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btJgIniciarJogo_Click));
    connect(frJogo->btJgTruco, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btJgTruco_Click));
    connect(frJogo->btJgAceitar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btJgAceitar_Click));
    connect(frJogo->btJgRecusar, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btJgRecusar_Click));
    connect(frJogo->btJgSair, &QPushButton::clicked, this,
            Protegido::Slot(this, &frmCliente::btJgSair_Click));
    connect(frJogo, &TelaJogo::pbJgJogador_Click, this,
            [this](int i) { Protegido::Executar([&] { pbJgJogador_Click(i); }); });
    connect(frJogo, &TelaJogo::pbJgCarta_MouseDown, this, [this](int i, Qt::MouseButton b) {
        Protegido::Executar([&] { pbJgCarta_MouseDown(i, b); });
    });

    PrepararTeclas();
    DefinirBotaoPadrao(frLogin->btLgOK);
}

QString frmCliente::HostDoServidor(const QString& linhaDeComando)
{
    if (linhaDeComando.left(8) == QLatin1String("servidor"))
        return linhaDeComando.mid(9);
    return QString::fromLatin1(kHostPadrao);
}

void frmCliente::Form_Load()
{
    if (Espera::Encerrando()) {
        Form_Unload();
        return;
    }
    // Without it every text would travel empty: refuse rather than play mute.
    if (!Texto::Disponivel()) {
        Caixas::Erro(QStringLiteral("O conversor de texto Windows-1252 não está disponível nesta "
                                    "instalação do Qt; sem ele o Quarpel não consegue conversar "
                                    "com o servidor."));
        Form_Unload();
        return;
    }

    AvisoJanela = RegistroAviso{};
    AvisoJanela.hwnd = this;
    CartaDeslocX = {0, 1, 0, -1};
    CartaDeslocY = {1, 0, -1, 0};

    // The window's own font is bold for the title it draws; the screens keep the normal weight.
    QFont negrito = font();
    negrito.setBold(true);
    setFont(negrito);
    for (QWidget* filho : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QFont normal = filho->font();
        normal.setBold(false);
        filho->setFont(normal);
    }

    frJogo->PrepararCartas();

    constexpr std::array<std::array<qint32, 2>, 4> emJogo{
        {{6240, 6060}, {8100, 3360}, {2460, 780}, {480, 3360}}};
    for (int p = 0; p < 4; ++p) {
        PainelPosicoes[p].LeftEspera = qRound(frJogo->pbJgJogador[p]->Left());
        PainelPosicoes[p].TopEspera = qRound(frJogo->pbJgJogador[p]->Top());
        PainelPosicoes[p].LeftJogo = emJogo[p][0];
        PainelPosicoes[p].TopJogo = emJogo[p][1];
    }

    EscreverValoresIniciais();

    frJogo->pbJgPlacar_Paint();

    // Without a server at start-up the program ends; a connection lost later only takes the
    // player back to the login screen.
    if (!Conectar()) {
        if (Espera::Encerrando())
            return;
        Caixas::Informar(QStringLiteral("Servidor não encontrado!"));
        Form_Unload();
        return;
    }
    FrameAtual = frLogin;
}

void frmCliente::Form_Unload()
{
    if (m_descarregado)
        return;
    m_descarregado = true;
    Espera::Encerrar();
    // A reaction that waits is dropped; one that is running (under a box) ends by itself.
    if (m_prontoParaRetomar) {
        m_prontoParaRetomar = nullptr;
        m_reacaoEmEspera.Descartar();
    }
    frJogo->Descarregar();
    BufferRecepcao.Limpar();
    Sock->abort();
    close();
    QCoreApplication::quit();
}

void frmCliente::closeEvent(QCloseEvent* evento)
{
    if (!m_descarregado && !ConfirmarSaida()) {
        evento->ignore();
        return;
    }
    Form_Unload();
    evento->accept();
}

void frmCliente::btFechar_Click()
{
    if (ConfirmarSaida())
        Form_Unload();
}

bool frmCliente::ConfirmarSaida()
{
    if (Espera::Encerrando() || FrameAtual != frJogo || !frJogo->JogoIniciado)
        return true;
    return Caixas::Perguntar(QStringLiteral("Sair do jogo? Um robô assume o seu lugar."));
}

void frmCliente::btMinimizar_Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void frmCliente::DefinirBotaoPadrao(QPushButton* botao)
{
    if (m_botaoPadrao)
        m_botaoPadrao->setDefault(false);
    m_botaoPadrao = botao;
    m_botaoPadrao->setDefault(true);
}

// Enter on a focused button presses that button, on the room list "Entrar"; in a box of the
// screen it presses the screen's default button: the boxes leave the key to their window.
void frmCliente::keyPressEvent(QKeyEvent* evento)
{
    bool daMesa = false;
    Protegido::Executar([&] { daMesa = TeclaDaMesa(evento); });
    if (daMesa)
        return;
    const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    QPushButton* botao = m_botaoPadrao;
    if (auto* focado = qobject_cast<QPushButton*>(focusWidget()))
        botao = focado;
    else if (focusWidget() == frSalas->ltSlSalas)
        botao = frSalas->btSlEntrar;
    if (enter && botao && botao->isEnabled() && botao->isVisibleTo(this)) {
        botao->click();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void frmCliente::MudarFrame(QWidget* Destino)
{
    if (FrameAtual)
        FrameAtual->hide();
    Destino->show();
    FrameAtual = Destino;

    if (Destino == frLogin) {
        frLogin->txLgLogin->setFocus();
        DefinirBotaoPadrao(frLogin->btLgOK);
    } else if (Destino == frCadastro) {
        frCadastro->txCdNome->setFocus();
        DefinirBotaoPadrao(frCadastro->btCdOk);
    } else if (Destino == frJogo) {
        frJogo->btJgIniciarJogo->setHidden(!(Anfitriao() && !frJogo->btJgSair->isHidden()));
    }

    if (Destino == frSalas || Destino == frJogo) {
        DefinirBotaoPadrao(btEnviar);
        const double largura = Destino == frJogo ? 4215 : 9195;
        for (QWidget* w : {static_cast<QWidget*>(txChat), static_cast<QWidget*>(txFalar),
                           static_cast<QWidget*>(btEnviar)}) {
            w->setParent(Destino);
            w->show();
        }
        const auto naMesmaAltura = [](QWidget* w, double left, double width) {
            Twips::Posicionar(w, left, Twips::DePx(w->y()), width, Twips::DePx(w->height()));
        };
        naMesmaAltura(txChat, Twips::DePx(txChat->x()), largura);
        naMesmaAltura(txFalar, Twips::DePx(txFalar->x()), largura - 720);
        naMesmaAltura(btEnviar, largura - 615, Twips::DePx(btEnviar->width()));
        // Rewrapped to its new width, the history would show an earlier line at its foot.
        txChat->moveCursor(QTextCursor::End);
        txChat->ensureCursorVisible();
    }
    // The keys start with the table, not with the chat line the lobby left the focus in.
    if (Destino == frJogo)
        frJogo->setFocus();
}

QString frmCliente::Variaveis(const QString& chave) const
{
    return CVariaveis::Global().Ler(chave);
}

void frmCliente::SetVariaveis(const QString& chave, const QString& valor)
{
    CVariaveis::Global().Escrever(chave, valor);
    DepoisDeEscrever(chave, valor);
}

bool frmCliente::Anfitriao() const
{
    try {
        return Conversao::ParaBooleano(Variaveis(QStringLiteral("Hosting")));
    } catch (const std::exception&) {
        return false;
    }
}

void frmCliente::DepoisDeEscrever(const QString& chave, const QString& valor)
{
    if (chave == QLatin1String("Vez")) {
        DevolverCartaEnviada();
        AtualizarVez(valor);
    }
    if (chave == QLatin1String("Fim"))
        Caixas::Relatar(QStringLiteral("Acabou a rodada"));
}

// Each step stands alone: one that cannot be done is skipped and the next still runs.
void frmCliente::AtualizarVez(const QString& valor)
{
    const auto passo = [](const auto& f) {
        try {
            f();
        } catch (const std::exception&) {
        }
    };
    bool minhaVez = false;
    passo([&] { minhaVez = valor == Variaveis(QStringLiteral("Login")); });
    passo([&] {
        // Nobody's turn, or a call that waits for its answer: the status line keeps what it says.
        if (valor.isEmpty() || !frJogo->TagTruco.isEmpty())
            return;
        if (minhaVez) {
            PedirAtencao();
            frJogo->lbJgEstado->setText(QStringLiteral("É a sua vez"));
        } else {
            frJogo->lbJgEstado->setText(QStringLiteral("É a vez de ") + valor);
        }
    });
    passo([&] { AplicarRegraTruco(); });
}

void frmCliente::AplicarRegraTruco()
{
    const QString vez = Variaveis(QStringLiteral("Vez"));
    const int meuTime = Conversao::ParaNumero(Variaveis(QStringLiteral("JogLocal"))) % 2;
    const bool podeTrucar = vez == Variaveis(QStringLiteral("Login")) &&
                            frJogo->EquipeTruco != meuTime && !frJogo->MaoDeOnze;
    frJogo->btJgTruco->setHidden(!podeTrucar);
}

void frmCliente::PedirAtencao()
{
    if (QApplication::activeWindow() == this)
        return;
    AvisoJanela.dwFlags = RegistroAviso::kPiscarTudo;
    PiscarJanela();
}

// Qt asks the window system for attention until the window is activated; it has no call to stop
// earlier, so a stop only clears the record.
void frmCliente::PiscarJanela()
{
    if (AvisoJanela.dwFlags != RegistroAviso::kParar)
        QApplication::alert(this, 0);
}

void frmCliente::resizeEvent(QResizeEvent* evento)
{
    AvisoJanela.dwFlags = RegistroAviso::kParar;
    PiscarJanela();
    QWidget::resizeEvent(evento);
}

void frmCliente::changeEvent(QEvent* evento)
{
    if (evento->type() == QEvent::WindowStateChange) {
        AvisoJanela.dwFlags = RegistroAviso::kParar;
        PiscarJanela();
    }
    QWidget::changeEvent(evento);
}
