#include "SalaDeJogo.h"

#include "Participante.h"
#include "RemetenteMesa.h"
#include "Texto.h"

void SalaDeJogo::ApagarDepois::operator()(MesaDeJogo* m) const
{
    // The table may be inside one of its own calls (the last move of a game).
    m->Encerrar();
    m->deleteLater();
}

SalaDeJogo::SalaDeJogo(const QString& nome, const QByteArray& senha, Opcoes opcoes)
    : Sala(nome, senha), m_opcoes(std::move(opcoes))
{
}

SalaDeJogo::~SalaDeJogo() = default;

bool SalaDeJogo::EhRobo(const Participante* p) const
{
    for (const auto& r : m_robos)
        if (r && r.get() == p)
            return true;
    return false;
}

void SalaDeJogo::Comando(Participante* p, const QByteArray& comando,
                         const QList<QByteArray>& argumentos)
{
    const int assento = AssentoDe(p);
    if (assento < 0 || EhRobo(p))
        return;
    if (comando == "Start") {
        Iniciar(p);
        return;
    }
    if (m_mesa)
        m_mesa->Receber(assento, comando, argumentos);
}

void SalaDeJogo::Iniciar(Participante* p)
{
    QString motivo;
    if (m_mesa)
        motivo = QStringLiteral("O jogo já começou");
    else if (Anfitriao() != p)
        motivo = QStringLiteral("Só o dono da sala pode iniciar o jogo");
    if (!motivo.isEmpty()) {
        p->Enviar("erCmJ", {Texto::ParaBytes(motivo)});
        return;
    }
    std::array<QString, kAssentos> logins;
    std::array<bool, kAssentos> robos{};
    for (int i = 0; i < kAssentos; ++i) {
        if (!Assento(i)) {
            m_robos[i] = std::make_unique<RoboNaSala>(i);
            Sentar(m_robos[i].get());
            robos[i] = true;
        }
        logins[i] = Assento(i)->Login();
    }
    MesaDeJogo::Opcoes o;
    o.atrasoRoboMs = m_opcoes.atrasoRoboMs;
    o.tempoJogadaS = m_opcoes.tempoJogadaS;
    o.orcamentoRobos = m_opcoes.orcamentoRobos;
    o.partida.semente = m_opcoes.semente ? m_opcoes.semente() : 0;
    if (m_opcoes.narracao)
        o.narrar = [this](const QString& linha) {
            EnviarATodos("slMsg", {QByteArray(kRemetenteMesa), Texto::ParaBytes(linha)});
        };
    m_mesa.reset(new MesaDeJogo(logins, robos, o, [this](int assento, const MensagemJogo& m) {
        if (Participante* quem = Assento(assento))
            quem->Enviar(m.comando, m.argumentos);
    }));
    QObject::connect(m_mesa.get(), &MesaDeJogo::Terminou, m_mesa.get(), [this] { Terminar(); });
    qInfo("Jogo começou na sala \"%s\" (semente %u)", qPrintable(Nome()),
          unsigned(o.partida.semente));
    EnviarInfoAssentos();
    if (m_opcoes.aoMudar)
        m_opcoes.aoMudar();
    m_mesa->Comecar();
}

void SalaDeJogo::Levantar(Participante* p)
{
    const int assento = AssentoDe(p);
    if (!m_mesa || assento < 0 || EhRobo(p)) {
        Sala::Levantar(p);
        return;
    }
    // The base frees the seat, handing seat 0 on if it was the host's; the bot then takes the
    // one free seat and is swapped back into the leaver's.
    Sala::Levantar(p);
    m_robos[assento] = std::make_unique<RoboNaSala>(assento);
    Trocar(assento, Sentar(m_robos[assento].get()));
    qInfo("Um robô joga no lugar de %s na sala \"%s\"", qPrintable(p->Login()), qPrintable(Nome()));
    m_mesa->TrocarPorRobo(assento, m_robos[assento]->Login());

    bool alguem = false;
    for (int i = 0; i < kAssentos; ++i)
        alguem = alguem || !EhRobo(Assento(i));
    if (!alguem)
        Abandonar();
}

void SalaDeJogo::TirarRobos()
{
    for (int i = 0; i < kAssentos; ++i) {
        if (m_robos[i]) {
            Sala::Levantar(m_robos[i].get());
            m_robos[i].reset();
        }
    }
}

void SalaDeJogo::Terminar()
{
    qInfo("Jogo terminou na sala \"%s\"", qPrintable(Nome()));
    m_mesa.reset();
    TirarRobos();
    EnviarInfoAssentos();
    if (m_opcoes.aoMudar)
        m_opcoes.aoMudar();
}

void SalaDeJogo::Abandonar()
{
    qInfo("Jogo abandonado na sala \"%s\"", qPrintable(Nome()));
    m_mesa.reset();
    TirarRobos();
}
