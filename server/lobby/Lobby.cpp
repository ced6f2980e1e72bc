#include "Lobby.h"

#include "FuncoesComuns.h"
#include "Participante.h"
#include "SaguaoLocal.h"
#include "Sala.h"
#include "Texto.h"
#include "Validacao.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kSalasPorLista = 63;
constexpr int kJogadoresPorLista = 254;
// The lists go out at most this often: a burst of departures is one list to those who stay, not
// one per pass of the event loop, each of them also to the sockets that are about to be read as
// closed.
constexpr qint64 kIntervaloAvisosMs = 50;
// A list to thousands is sent a slice per pass of the event loop (about ten milliseconds each), so
// that the games and the sockets get their turn in between.
constexpr int kEnviosPorPassagem = 1000;

QByteArray Recusa(const QString& motivo)
{
    return Texto::ParaBytes(u'_' + motivo);
}

// A seat number as the client sends it: one digit, 0 to 3.
int LerAssento(const QByteArray& texto)
{
    if (texto.size() != 1 || texto[0] < '0' || texto[0] >= '0' + Sala::kAssentos)
        return -1;
    return texto[0] - '0';
}

} // namespace

Lobby::Lobby(FabricaSala fabrica)
    : m_fabrica(std::move(fabrica)), m_servico(std::make_unique<SaguaoLocal>())
{
    // Logins, departures and games come in bursts; one pass a little later tells everyone the
    // outcome once instead of every step of it.
    m_aviso.setSingleShot(true);
    m_aviso.setInterval(0);
    QObject::connect(&m_aviso, &QTimer::timeout, [this] { EnviarPendentes(); });
    m_avisoSaguao.setSingleShot(true);
    m_avisoSaguao.setInterval(0);
    QObject::connect(&m_avisoSaguao, &QTimer::timeout, [this] { EnviarConversas(); });
    if (!m_fabrica)
        m_fabrica = [](const QString& nome, const QByteArray& senha) {
            return std::make_unique<Sala>(nome, senha);
        };
}

Lobby::~Lobby() = default;

void Lobby::Compartilhar(std::unique_ptr<SaguaoCompartilhado> saguao)
{
    m_servico = std::move(saguao);
    m_servico->Ouvir(
        &m_contexto, [this](const SaguaoCompartilhado::Vista& v) { Remoto(v); },
        [this](const QString& login, const QString& texto) {
            EnviarAoSaguao("slMsg", {Texto::ParaBytes(login), Texto::ParaBytes(texto)});
        });
}

void Lobby::Remoto(const SaguaoCompartilhado::Vista& vista)
{
    // Rebuilt in the next pass; sent only where the bytes changed.
    if (vista.salas != m_remoto.salas) {
        m_salasRemotas.clear();
        for (const auto& s : vista.salas)
            m_salasRemotas.insert(s.nome.toCaseFolded(), s);
        m_salasSujas = true;
    }
    if (vista.jogadores != m_remoto.jogadores)
        m_jogadoresSujos = true;
    m_remoto = vista;
    Agendar();
}

void Lobby::PublicarSalas()
{
    m_publicar = false;
    QSet<QString> abertas;
    for (const auto& s : m_salas) {
        const QString chave = s->Nome().toCaseFolded();
        abertas.insert(chave);
        const SaguaoCompartilhado::Sala agora{s->Nome(), s->TextoJogadores(), s->TemSenha(),
                                              s->Cheia(), {}};
        auto it = m_publicadas.find(chave);
        if (it == m_publicadas.end())
            it = m_publicadas.insert(chave, {++m_salasPublicadas, {}});
        else if (it->sala == agora)
            continue;
        it->sala = agora;
        m_servico->SalaMudou(chave, it->ordem, agora);
    }
    for (auto it = m_publicadas.begin(); it != m_publicadas.end();) {
        if (abertas.contains(it.key())) {
            ++it;
            continue;
        }
        m_servico->SalaFechou(it.key());
        it = m_publicadas.erase(it);
    }
}

Sala* Lobby::SalaDe(const Participante* p) const
{
    return m_salaDe.value(p);
}

void Lobby::Sentou(Participante* p, Sala* sala)
{
    m_salaDe.insert(p, sala);
    EnviarInfoSalasAoSaguao();
}

Sala* Lobby::BuscarSala(const QString& nome) const
{
    return m_porNome.value(nome.toCaseFolded());
}

QList<QByteArray> Lobby::InfoSalas() const
{
    // This process' rooms, then the others'.
    std::vector<SaguaoCompartilhado::Sala> ordem;
    ordem.reserve(m_salas.size() + size_t(m_remoto.salas.size()));
    for (const auto& s : m_salas)
        ordem.push_back({s->Nome(), s->TextoJogadores(), s->TemSenha(), s->Cheia(), {}});
    ordem.insert(ordem.end(), m_remoto.salas.begin(), m_remoto.salas.end());
    std::stable_partition(ordem.begin(), ordem.end(), [](const auto& s) { return !s.cheia; });
    if (ordem.size() > size_t(kSalasPorLista))
        ordem.resize(size_t(kSalasPorLista));

    QList<QByteArray> argumentos{QByteArray::number(qsizetype(ordem.size()))};
    for (const auto& s : ordem) {
        argumentos << Texto::ParaBytes(s.nome) << Texto::ParaBytes(s.jogadores)
                   << (s.senha ? QByteArrayLiteral("True") : QByteArrayLiteral("False"))
                   << QByteArrayLiteral("0");
    }
    return argumentos;
}

QList<QByteArray> Lobby::InfoJogadores() const
{
    // This process' people, then the others'.
    const qsizetype n = std::min<qsizetype>(qsizetype(m_conectados.size()), kJogadoresPorLista);
    const qsizetype r = std::min(m_remoto.jogadores.size(), kJogadoresPorLista - n);
    QList<QByteArray> argumentos{QByteArray::number(n + r)};
    auto it = m_conectados.begin();
    for (qsizetype i = 0; i < n; ++i, ++it)
        argumentos << Texto::ParaBytes(it->second->Login());
    for (qsizetype i = 0; i < r; ++i)
        argumentos << Texto::ParaBytes(m_remoto.jogadores[i]);
    return argumentos;
}

void Lobby::EnviarAoSaguao(QByteArrayView comando, const QList<QByteArray>& argumentos)
{
    m_aoSaguao += MontarMensagem(comando, argumentos);
    if (!m_avisoSaguao.isActive())
        m_avisoSaguao.start();
}

void Lobby::EnviarConversas()
{
    if (m_aoSaguao.isEmpty())
        return;
    m_avisoSaguao.stop();
    const QByteArray mensagens = std::exchange(m_aoSaguao, QByteArray());
    for (const auto& [chegada, p] : m_conectados)
        if (!m_salaDe.contains(p))
            p->EnviarMensagem(mensagens);
}

void Lobby::EnviarInfoSalasAoSaguao()
{
    m_salasSujas = true;
    m_publicar = m_servico->Compartilhado();
    Agendar();
}

void Lobby::Agendar()
{
    m_pendente = true;
    if (!m_aviso.isActive()) {
        const qint64 desde = m_ultimoAviso.isValid() ? m_ultimoAviso.elapsed() : kIntervaloAvisosMs;
        m_aviso.start(int(std::max<qint64>(0, kIntervaloAvisosMs - desde)));
    }
}

namespace {
// A list is rebuilt only when marked dirty, and its version moves only when its bytes changed, so
// nobody is sent the same list twice.
template <typename Montar>
const QByteArray& Atualizada(bool& suja, QByteArray& mensagem, quint64& versao, Montar montar)
{
    if (suja) {
        suja = false;
        QByteArray nova = montar();
        if (nova != mensagem) {
            mensagem = std::move(nova);
            ++versao;
        }
    }
    return mensagem;
}
} // namespace

const QByteArray& Lobby::MensagemSalas()
{
    return Atualizada(m_salasSujas, m_msgSalas, m_versaoSalas,
                      [this] { return MontarMensagem("slInf", InfoSalas()); });
}

const QByteArray& Lobby::MensagemJogadores()
{
    return Atualizada(m_jogadoresSujos, m_msgJogadores, m_versaoJogadores,
                      [this] { return MontarMensagem("hlInf", InfoJogadores()); });
}

void Lobby::EnviarSalas(Participante* p)
{
    p->EnviarMensagem(MensagemSalas());
    m_vistos[p].salas = m_versaoSalas;
}

void Lobby::EnviarJogadores(Participante* p)
{
    p->EnviarMensagem(MensagemJogadores());
    m_vistos[p].jogadores = m_versaoJogadores;
}

void Lobby::EnviarPendentes()
{
    if (!m_pendente)
        return;
    m_pendente = false;
    if (m_publicar)
        PublicarSalas();
    m_aviso.stop();
    m_ultimoAviso.start();
    // Nobody in the lobby: the room list waits until someone is there to see it.
    const bool alguemNoSaguao = qsizetype(m_conectados.size()) > m_salaDe.size();
    const QByteArray salas = alguemNoSaguao ? MensagemSalas() : QByteArray();
    const QByteArray jogadores = MensagemJogadores();
    const std::pair<quint64, quint64> versoes{m_versaoSalas, m_versaoJogadores};
    // Everyone had these lists at the end of the last round, and whoever came to the lobby since
    // was given them: no round to make. Most passes of a busy server end here.
    if (m_cursor == 0 && versoes == m_versoesCompletas)
        return;
    if (m_cursor == 0)
        m_versoesNaVolta = versoes;
    int envios = 0;
    auto it = m_conectados.lower_bound(m_cursor);
    for (; it != m_conectados.end() && envios < kEnviosPorPassagem; ++it) {
        Participante* p = it->second;
        Visto& v = m_vistos[p];
        if (alguemNoSaguao && v.salas != m_versaoSalas && !m_salaDe.contains(p)) {
            p->EnviarMensagem(salas);
            v.salas = m_versaoSalas;
            ++envios;
        }
        if (v.jogadores != m_versaoJogadores) {
            p->EnviarMensagem(jogadores);
            v.jogadores = m_versaoJogadores;
            ++envios;
        }
    }
    m_cursor = it == m_conectados.end() ? 0 : it->first;
    // The rest of the round on the next pass; a list that changed during the round goes round
    // again for those already passed.
    if (m_cursor != 0 || versoes != m_versoesNaVolta) {
        m_pendente = true;
        m_aviso.start(0);
    } else {
        m_versoesCompletas = versoes;
    }
}

void Lobby::Chegar(Participante* p)
{
    if (m_vistos.contains(p))
        return;
    m_conectados.emplace(++m_chegadas, p);
    m_vistos.insert(p, {m_chegadas});
    m_servico->Chegou(Validacao::ChaveLogin(p->Login()), p->Login(), m_chegadas);
    // Only the first ones are listed: a later arrival changes nobody's list.
    if (qsizetype(m_conectados.size()) <= kJogadoresPorLista)
        m_jogadoresSujos = true;
    EnviarSalas(p);
    EnviarJogadores(p);
    Agendar();
}

void Lobby::Partir(Participante* p)
{
    if (!m_vistos.contains(p))
        return;
    Sala* sala = SalaDe(p);
    // Rebuilt once in the next pass, and sent only if the first ones listed changed.
    m_jogadoresSujos = true;
    m_conectados.erase(m_vistos.value(p).chegada);
    m_vistos.remove(p);
    m_servico->Partiu(Validacao::ChaveLogin(p->Login()));
    if (sala)
        Levantar(p, sala);
    Agendar();
}

void Lobby::Conversar(Participante* p, const QByteArray& bytes)
{
    const QString texto = Texto::DeBytes(bytes);
    // Line breaks would let a sender forge lines of others in the chat box.
    if (texto.isEmpty() || texto.size() > Validacao::kChatMax || !Validacao::TextoExibivel(texto))
        return;
    const QList<QByteArray> linha{Texto::ParaBytes(p->Login()), bytes};
    if (Sala* sala = SalaDe(p))
        sala->EnviarATodos("slMsg", linha);
    else {
        EnviarAoSaguao("slMsg", linha);
        m_servico->Conversou(p->Login(), texto);
    }
}

void Lobby::CriarSala(Participante* p, const QByteArray& nomeBytes, const QByteArray& senha)
{
    const QString nome = Texto::DeBytes(nomeBytes);
    std::optional<QString> motivo = Validacao::NomeSala(nome);
    if (!motivo)
        motivo = Validacao::SenhaSala(Texto::DeBytes(senha));
    if (!motivo && SalaDe(p))
        motivo = QStringLiteral("Você já está em uma sala");
    if (!motivo && (BuscarSala(nome) || m_salasRemotas.contains(nome.toCaseFolded())))
        motivo = QStringLiteral("Já existe uma sala com este nome");
    if (motivo) {
        p->Enviar("Setar", {QByteArrayLiteral("CriandoSala"), Recusa(*motivo)});
        return;
    }
    m_salas.push_back(m_fabrica(nome, senha));
    Sala* sala = m_salas.back().get();
    m_porNome.insert(nome.toCaseFolded(), sala);
    sala->Sentar(p);
    qInfo("Sala \"%s\" criada por %s", qPrintable(nome), qPrintable(p->Login()));
    p->Enviar("Setar", {QByteArrayLiteral("CriandoSala"), QByteArrayLiteral("OK")});
    sala->EnviarInfoAssentos();
    Sentou(p, sala);
}

void Lobby::EntrarSala(Participante* p, const QByteArray& nomeBytes, const QByteArray& senha)
{
    const QString nome = Texto::DeBytes(nomeBytes);
    Sala* sala = BuscarSala(nome);
    QString motivo;
    if (SalaDe(p))
        motivo = QStringLiteral("Você já está em uma sala");
    else if (!sala && m_entradaRemota && m_salasRemotas.contains(nome.toCaseFolded())) {
        // Its own process checks the password and the seats.
        const SaguaoCompartilhado::Sala remota = m_salasRemotas.value(nome.toCaseFolded());
        Partir(p);
        m_entradaRemota(p, remota, nomeBytes, senha);
        return;
    } else if (!sala)
        motivo = QStringLiteral("Esta sala não existe mais");
    else if (!sala->SenhaConfere(senha))
        motivo = QStringLiteral("Senha incorreta");
    else if (sala->EmJogo())
        motivo = QStringLiteral("O jogo desta sala já começou");
    else if (sala->Cheia())
        motivo = QStringLiteral("A sala está cheia");
    if (!motivo.isEmpty()) {
        p->Enviar("erEnt", {Texto::ParaBytes(motivo)});
        return;
    }
    const int assento = sala->Sentar(p);
    qInfo("%s entrou na sala \"%s\" (lugar %d)", qPrintable(p->Login()), qPrintable(sala->Nome()),
          assento + 1);
    p->Enviar("okEnt", {Texto::ParaBytes(sala->Nome())});
    sala->EnviarInfoAssentos();
    Sentou(p, sala);
}

void Lobby::TrocarAssentos(Participante* p, const QByteArray& a, const QByteArray& b)
{
    Sala* sala = SalaDe(p);
    const int i = LerAssento(a);
    const int j = LerAssento(b);
    // The host keeps seat 0: his client never offers to move it, and moving him away would
    // leave the room without a host.
    if (!sala || sala->Anfitriao() != p || sala->EmJogo() || i <= 0 || j <= 0 || i == j)
        return;
    sala->Trocar(i, j);
    sala->EnviarInfoAssentos();
}

void Lobby::SairSala(Participante* p)
{
    Sala* sala = SalaDe(p);
    if (!sala)
        return;
    // Back in the lobby, he gets its "slInf" with everyone there; "hlInf" follows.
    Levantar(p, sala);
    EnviarSalas(p);
    EnviarJogadores(p);
}

void Lobby::FotoTrocada(Participante* p)
{
    if (Sala* sala = SalaDe(p))
        sala->EnviarInfoAssentos();
}

void Lobby::Levantar(Participante* p, Sala* sala)
{
    m_salaDe.remove(p);
    sala->Levantar(p);
    qInfo("%s saiu da sala \"%s\"", qPrintable(p->Login()), qPrintable(sala->Nome()));
    if (sala->Vazia()) {
        Fechar(sala);
    } else {
        sala->EnviarInfoAssentos();
    }
    EnviarInfoSalasAoSaguao();
}

void Lobby::Fechar(Sala* sala)
{
    const auto it = std::find_if(m_salas.begin(), m_salas.end(),
                                 [sala](const auto& s) { return s.get() == sala; });
    if (it == m_salas.end())
        return;
    qInfo("Sala \"%s\" fechada", qPrintable(sala->Nome()));
    m_porNome.remove(sala->Nome().toCaseFolded());
    m_salas.erase(it);
}
