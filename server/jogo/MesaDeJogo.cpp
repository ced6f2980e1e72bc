#include "MesaDeJogo.h"

#include "Texto.h"
#include "TraducaoEventos.h"

MesaDeJogo::MesaDeJogo(const std::array<QString, 4>& logins, const std::array<bool, 4>& robos,
                       const Opcoes& opcoes, Envio envio, QObject* parent)
    : QObject(parent), m_logins(logins), m_robos(robos), m_opcoes(opcoes),
      m_envio(std::move(envio)), m_partida(opcoes.partida), m_narrador(opcoes.partida.pontos)
{
    // One clock and one bot alarm for the table, re-armed or stopped on each move: a timer per
    // turn would pile up for the whole turn time, and the event loop would drown in them.
}

void MesaDeJogo::Comecar()
{
    if (m_encerrada || m_partida.FaseAtual() != Partida::Fase::NaoComecada)
        return;
    EnviarATodos({"cmJog", {}});
    Anunciar(m_partida.Comecar());
}

void MesaDeJogo::Encerrar()
{
    m_encerrada = true;
    ++m_momento;
    m_relogio.Parar();
    m_vezRobo.Parar();
}

void MesaDeJogo::EnviarATodos(const MensagemJogo& mensagem)
{
    for (int j = 0; j < 4; ++j)
        if (!m_robos[j])
            m_envio(j, mensagem);
}

void MesaDeJogo::Narrar(const QString& linha)
{
    if (m_opcoes.narrar)
        m_opcoes.narrar(linha);
}

void MesaDeJogo::Anunciar(const std::vector<Evento>& eventos, const Lance* lance)
{
    for (const Evento& e : eventos) {
        for (int j = 0; j < 4; ++j) {
            if (m_robos[j])
                continue;
            if (auto m = TraducaoEventos::Para(e, j, m_logins))
                m_envio(j, *m);
        }
    }
    // After the table's own messages, so the chat tells what the table already shows.
    if (m_opcoes.narrar)
        for (const QString& linha : m_narrador.Narrar(lance, eventos, m_logins))
            m_opcoes.narrar(linha);
    ++m_momento;
    // Before the end is told: a finished game stops its clocks, which would ring on later for
    // nobody (the last move may be a person's, with his clock still set).
    Agendar();
    for (const Evento& e : eventos)
        if (e.tipo == Evento::Tipo::FimJogo)
            emit Terminou(e.equipe);
}

void MesaDeJogo::Receber(int assento, const QByteArray& comando,
                         const QList<QByteArray>& argumentos)
{
    if (m_encerrada || assento < 0 || assento > 3 || m_robos[assento])
        return;
    Lance lance;
    if (comando == "Carta") {
        // A position that does not parse is refused like one out of range, so the turn comes back.
        bool ok = false;
        int posicao = argumentos.value(0).toInt(&ok);
        if (!ok)
            posicao = -1;
        lance = Lance::JogarCarta(assento, posicao,
                                  argumentos.value(1).compare("True", Qt::CaseInsensitive) == 0);
    } else if (comando == "Truco") {
        lance = Lance::Trucar(assento);
    } else if (comando == "tcSim") {
        lance = Lance::Aceitar(assento);
    } else if (comando == "tcNao") {
        lance = Lance::Recusar(assento);
    } else {
        return;
    }
    const auto r = m_partida.Jogar(lance);
    if (r.Aceito()) {
        Anunciar(r.eventos, &lance);
        return;
    }
    // The client moved the card and passed the turn on by itself when it sent it: the turn as it
    // stands puts it right (nobody's while a hand of eleven is decided), and the card goes back.
    if (lance.tipo == Lance::Tipo::Carta) {
        const bool jogando = m_partida.FaseAtual() == Partida::Fase::Jogando;
        const QString vez = jogando ? m_logins[m_partida.Vez()] : QString();
        m_envio(assento, {"Setar", {"Vez", Texto::ParaBytes(vez)}});
    }
}

void MesaDeJogo::TrocarPorRobo(int assento, const QString& nome)
{
    if (assento < 0 || assento > 3 || m_robos[assento])
        return;
    Narrar(Narrador::RoboAssumiu(nome, m_logins[assento]));
    m_robos[assento] = true;
    m_logins[assento] = nome;
    if (!m_partida.Terminada() && m_partida.FaseAtual() != Partida::Fase::NaoComecada)
        Agendar();
}

bool MesaDeJogo::RoboAge(int assento) const
{
    if (!m_robos[assento] || !m_partida.DeveAgir(assento))
        return false;
    // An answer for the team (a call, the hand of eleven) is the person's to give when his partner
    // is a bot; the clock still answers for him if he does not.
    const int parceiro = (assento + 2) % 4;
    return m_robos[parceiro] || !m_partida.DeveAgir(parceiro);
}

void MesaDeJogo::Agendar()
{
    if (m_encerrada || m_partida.Terminada()) {
        m_relogio.Parar();
        m_vezRobo.Parar();
        return;
    }
    bool robo = false, pessoa = false;
    for (int j = 0; j < 4; ++j) {
        robo = robo || RoboAge(j);
        pessoa = pessoa || (!m_robos[j] && m_partida.DeveAgir(j));
    }
    // A seat turned bot (TrocarPorRobo) does not restart a clock already running for another.
    const quint64 momento = m_momento;
    if (!robo)
        m_vezRobo.Parar();
    else if (m_roboAgendado != momento || !m_vezRobo.Ativo())
        m_vezRobo.Armar(m_opcoes.atrasoRoboMs);
    m_roboAgendado = momento;
    if (!pessoa || m_opcoes.tempoJogadaS <= 0)
        m_relogio.Parar();
    else if (m_relogioAgendado != momento || !m_relogio.Ativo())
        m_relogio.Armar(m_opcoes.tempoJogadaS * 1000);
    m_relogioAgendado = momento;
}

void MesaDeJogo::MoverRobo()
{
    if (m_encerrada)
        return;
    for (int j = 0; j < 4; ++j) {
        if (RoboAge(j)) {
            JogarPor(j);
            return;
        }
    }
}

void MesaDeJogo::TempoEsgotado()
{
    if (m_encerrada)
        return;
    for (int j = 0; j < 4; ++j) {
        if (!m_robos[j] && m_partida.DeveAgir(j)) {
            qInfo("Tempo esgotado: um robô jogou por %s", qPrintable(m_logins[j]));
            Narrar(Narrador::TempoEsgotado(m_logins[j]));
            JogarPor(j);
            return;
        }
    }
}

void MesaDeJogo::JogarPor(int assento)
{
    const auto validos = m_partida.LancesValidos(assento);
    if (validos.empty())
        return;
    OrcamentoRobos* orcamento = m_opcoes.orcamentoRobos;
    const bool profundo = !orcamento || orcamento->Profundo();
    m_robo.Aprofundar(profundo);
    QElapsedTimer tempo;
    tempo.start();
    Lance lance = m_robo.Decidir(m_partida.VisaoDe(assento), validos);
    if (profundo && orcamento)
        orcamento->Gastar(tempo.nsecsElapsed());
    // The clock plays a person's card face up: a face-down card is his own choice to make.
    if (!m_robos[assento])
        lance.coberta = false;
    auto r = m_partida.Jogar(lance);
    if (!r.Aceito())
        r = m_partida.Jogar(lance = validos.front());
    Anunciar(r.eventos, &lance);
}
