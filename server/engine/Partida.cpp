#include "Partida.h"

#include "Carta.h"

#include <algorithm>
#include <numeric>

namespace {
constexpr int kPontosParaVencer = 12;
constexpr int kValorMaximo = 12;
constexpr int kNinguem = -1;

Evento NovoEvento(Evento::Tipo tipo, int jogador = -1)
{
    Evento e;
    e.tipo = tipo;
    e.jogador = jogador;
    return e;
}
} // namespace

Partida::Partida(const ConfiguracaoPartida& configuracao)
    : m_configuracao(configuracao), m_gerador(configuracao.semente), m_pontos(configuracao.pontos)
{
}

void Partida::FixarDistribuicao(const Distribuicao& distribuicao)
{
    m_fixas.push_back(distribuicao);
}

std::uint32_t Partida::Sortear(std::uint32_t limite)
{
    // Multiply-and-shift instead of std::uniform_int_distribution, whose output differs between
    // standard libraries: a seed must replay the same game everywhere.
    return static_cast<std::uint32_t>((std::uint64_t{m_gerador()} * limite) >> 32);
}

Distribuicao Partida::Embaralhar()
{
    std::array<int, 40> baralho;
    std::iota(baralho.begin(), baralho.end(), 1);
    for (std::uint32_t i = baralho.size() - 1; i > 0; --i)
        std::swap(baralho[i], baralho[Sortear(i + 1)]);
    Distribuicao d;
    d.vira = baralho[0];
    for (int j = 0; j < 4; ++j)
        for (int p = 0; p < 3; ++p)
            d.maos[j][p] = baralho[1 + 3 * j + p];
    return d;
}

std::vector<Evento> Partida::Comecar()
{
    std::vector<Evento> eventos;
    if (m_fase != Fase::NaoComecada)
        return eventos;
    m_primeiroDaMao = m_configuracao.primeiro >= 0 ? m_configuracao.primeiro % 4 : Sortear(4);
    IniciarMao(eventos);
    return eventos;
}

void Partida::IniciarMao(std::vector<Evento>& eventos)
{
    Distribuicao d;
    if (!m_fixas.empty()) {
        d = m_fixas.front();
        m_fixas.pop_front();
    } else {
        d = Embaralhar();
    }
    m_vira = d.vira;
    m_maos = d.maos;
    m_jogadas = {};
    const bool onze0 = m_pontos[0] == 11;
    const bool onze1 = m_pontos[1] == 11;
    m_tipo = onze0 && onze1 ? TipoMao::Ferro : (onze0 || onze1 ? TipoMao::Onze : TipoMao::Normal);
    m_equipeOnze = m_tipo == TipoMao::Onze ? (onze0 ? 0 : 1) : -1;
    m_valor = m_tipo == TipoMao::Onze ? 3 : 1;
    m_ultimaEquipeTruco = -1;
    m_trucoPendente = false;
    m_valorPedido = 0;
    m_equipeChamou = -1;
    m_vaza = 0;
    m_vez = m_lider = m_primeiroDaMao;
    m_resultados = {-1, -1, -1};
    m_vazasGanhas = {};
    m_historico.clear();

    Evento e = NovoEvento(Evento::Tipo::Distribuicao);
    e.vira = m_vira;
    e.tipoMao = m_tipo;
    e.equipe = m_equipeOnze;
    for (int j = 0; j < 4; ++j) {
        const int parceiro = (j + 2) % 4;
        for (int p = 0; p < 3; ++p) {
            e.vistas[j][p] = m_tipo == TipoMao::Ferro ? 0 : m_maos[j][p];
            e.vistas[j][3 + p] = EquipeDe(j) == m_equipeOnze ? m_maos[parceiro][p] : 0;
        }
    }
    eventos.push_back(e);
    if (m_tipo == TipoMao::Onze) {
        m_fase = Fase::DecisaoOnze;
    } else {
        m_fase = Fase::Jogando;
        eventos.push_back(NovoEvento(Evento::Tipo::Vez, m_vez));
    }
}

int Partida::CartaNaMao(int jogador, int posicao) const
{
    if (jogador < 0 || jogador > 3 || posicao < 0 || posicao > 2 || m_jogadas[jogador][posicao])
        return Carta::kNenhuma;
    return m_maos[jogador][posicao];
}

std::optional<std::string> Partida::Motivo(const Lance& lance) const
{
    const int j = lance.jogador;
    if (j < 0 || j > 3)
        return "Jogador inválido";
    if (m_fase == Fase::NaoComecada)
        return "A partida ainda não começou";
    if (m_fase == Fase::Terminada)
        return "A partida já terminou";
    const int equipe = EquipeDe(j);

    switch (lance.tipo) {
    case Lance::Tipo::Carta:
        if (m_fase == Fase::DecisaoOnze)
            return "Aguardando a decisão da mão de onze";
        if (m_trucoPendente)
            return "Há um pedido de truco aguardando resposta";
        if (m_vez != j)
            return "Não é a sua vez";
        if (lance.posicao < 0 || lance.posicao > 2)
            return "Carta inválida";
        if (m_jogadas[j][lance.posicao])
            return "Esta carta já foi jogada";
        return std::nullopt;
    case Lance::Tipo::Truco:
        if (m_tipo == TipoMao::Onze)
            return "Não se pede truco na mão de onze";
        if (m_tipo == TipoMao::Ferro)
            return "Não se pede truco na mão de ferro";
        if (m_trucoPendente) {
            if (equipe == m_equipeChamou)
                return "Aguardando a resposta do outro time";
            if (m_valorPedido >= kValorMaximo)
                return "A mão já vale o máximo";
            return std::nullopt;
        }
        if (m_vez != j)
            return "Não é a sua vez";
        if (m_ultimaEquipeTruco == equipe)
            return "O último pedido foi do seu time";
        if (m_valor >= kValorMaximo)
            return "A mão já vale o máximo";
        return std::nullopt;
    case Lance::Tipo::Aceitar:
    case Lance::Tipo::Recusar:
        if (m_fase == Fase::DecisaoOnze) {
            if (equipe != m_equipeOnze)
                return "A decisão da mão de onze é do outro time";
            return std::nullopt;
        }
        if (!m_trucoPendente)
            return "Não há pedido de truco";
        if (equipe == m_equipeChamou)
            return "O pedido foi do seu time";
        return std::nullopt;
    }
    return "Lance inválido";
}

ResultadoLance Partida::Jogar(const Lance& lance)
{
    ResultadoLance r;
    if (auto motivo = Motivo(lance)) {
        r.motivo = *motivo;
        return r;
    }
    auto& eventos = r.eventos;
    const int equipe = EquipeDe(lance.jogador);
    switch (lance.tipo) {
    case Lance::Tipo::Carta:
        JogarCarta(lance, eventos);
        break;
    case Lance::Tipo::Truco: {
        if (m_trucoPendente) {
            // A raise accepts the call it answers.
            m_valor = m_valorPedido;
            m_valorPedido += 3;
        } else {
            m_trucoPendente = true;
            m_valorPedido = m_valor == 1 ? 3 : m_valor + 3;
        }
        m_equipeChamou = m_ultimaEquipeTruco = equipe;
        Evento e = NovoEvento(Evento::Tipo::Truco, lance.jogador);
        e.equipe = equipe;
        e.valor = m_valorPedido;
        eventos.push_back(e);
        break;
    }
    case Lance::Tipo::Aceitar:
        if (m_fase == Fase::DecisaoOnze) {
            m_fase = Fase::Jogando;
            eventos.push_back(NovoEvento(Evento::Tipo::FimOnze));
            eventos.push_back(NovoEvento(Evento::Tipo::Vez, m_vez));
        } else {
            m_trucoPendente = false;
            m_valor = m_valorPedido;
            eventos.push_back(NovoEvento(Evento::Tipo::TrucoAceito));
        }
        break;
    case Lance::Tipo::Recusar:
        if (m_fase == Fase::DecisaoOnze) {
            eventos.push_back(NovoEvento(Evento::Tipo::FimOnze));
            EncerrarMao(1 - m_equipeOnze, 1, eventos);
        } else {
            m_trucoPendente = false;
            EncerrarMao(m_equipeChamou, m_valor, eventos);
        }
        break;
    }
    return r;
}

void Partida::JogarCarta(const Lance& lance, std::vector<Evento>& eventos)
{
    const int j = lance.jogador;
    m_jogadas[j][lance.posicao] = true;
    // Face down only from the second trick on; earlier the card goes face up. Blind cards of the
    // iron hand always show when played.
    const bool coberta = lance.coberta && m_vaza > 0 && m_tipo != TipoMao::Ferro;
    const CartaNaMesa carta{j, m_maos[j][lance.posicao], coberta, m_vaza};
    m_historico.push_back(carta);
    Evento e = NovoEvento(Evento::Tipo::Carta, j);
    e.codigo = carta.CodigoMostrado();
    eventos.push_back(e);

    const auto naMesa = std::count_if(m_historico.begin(), m_historico.end(),
                                      [this](const CartaNaMesa& c) { return c.vaza == m_vaza; });
    if (naMesa < 4) {
        m_vez = (j + 1) % 4;
        eventos.push_back(NovoEvento(Evento::Tipo::Vez, m_vez));
        return;
    }
    FecharVaza(eventos);
}

void Partida::FecharVaza(std::vector<Evento>& eventos)
{
    int maior = Carta::kForcaCoberta - 1;
    int vencedor = -1;
    std::array<bool, 2> comMaior{};
    auto forca = [this](const CartaNaMesa& c) {
        return c.coberta ? Carta::kForcaCoberta : Carta::Forca(c.codigo, m_vira);
    };
    for (const auto& c : m_historico) {
        if (c.vaza == m_vaza && forca(c) > maior) {
            maior = forca(c);
            vencedor = c.jogador;
        }
    }
    for (const auto& c : m_historico)
        if (c.vaza == m_vaza && forca(c) == maior)
            comMaior[EquipeDe(c.jogador)] = true;

    const bool empate = comMaior[0] && comMaior[1];
    if (empate) {
        // The player who led the tied trick leads again.
        m_resultados[m_vaza] = -1;
        vencedor = -1;
    } else {
        // Partners tying for highest win for their team; the first of them leads next.
        m_resultados[m_vaza] = EquipeDe(vencedor);
        ++m_vazasGanhas[EquipeDe(vencedor)];
        m_lider = vencedor;
    }
    ++m_vaza;
    Evento e = NovoEvento(Evento::Tipo::FimVaza, vencedor);
    e.placar = m_vazasGanhas;
    eventos.push_back(e);

    if (const auto equipe = VencedoraDaMao(m_resultados, m_vazasGanhas, m_vaza)) {
        EncerrarMao(*equipe, m_valor, eventos);
        return;
    }
    m_vez = m_lider;
    eventos.push_back(NovoEvento(Evento::Tipo::Vez, m_vez));
}

std::optional<int> Partida::VencedoraDaMao(const std::array<int, 3>& r,
                                           const std::array<int, 2>& vazasGanhas, int vazas)
{
    for (int equipe = 0; equipe < 2; ++equipe)
        if (vazasGanhas[equipe] >= 2)
            return equipe;
    if (vazas < 2)
        return std::nullopt;
    if (r[0] != -1) {
        // A tie after the first trick goes to whoever took the first.
        if (r[1] == -1 || (vazas == 3 && r[2] == -1))
            return r[0];
        return std::nullopt;
    }
    // First trick tied: the next trick that is not tied decides.
    for (int v = 1; v < vazas; ++v)
        if (r[v] != -1)
            return r[v];
    if (vazas == 3)
        return kNinguem;
    return std::nullopt;
}

void Partida::EncerrarMao(int equipe, int pontos, std::vector<Evento>& eventos)
{
    if (equipe != kNinguem)
        m_pontos[equipe] += pontos;
    Evento fim = NovoEvento(Evento::Tipo::FimMao);
    fim.placar = m_pontos;
    eventos.push_back(fim);
    for (int e = 0; e < 2; ++e) {
        if (m_pontos[e] >= kPontosParaVencer) {
            m_fase = Fase::Terminada;
            m_vencedora = e;
            Evento jogo = NovoEvento(Evento::Tipo::FimJogo, e);
            jogo.equipe = e;
            eventos.push_back(jogo);
            return;
        }
    }
    m_primeiroDaMao = (m_primeiroDaMao + 1) % 4;
    IniciarMao(eventos);
}

bool Partida::DeveAgir(int jogador) const
{
    if (jogador < 0 || jogador > 3)
        return false;
    switch (m_fase) {
    case Fase::DecisaoOnze:
        return EquipeDe(jogador) == m_equipeOnze;
    case Fase::Jogando:
        return m_trucoPendente ? EquipeDe(jogador) != m_equipeChamou : m_vez == jogador;
    default:
        return false;
    }
}

std::vector<Lance> Partida::LancesValidos(int jogador) const
{
    std::vector<Lance> candidatos;
    for (int p = 0; p < 3; ++p) {
        candidatos.push_back(Lance::JogarCarta(jogador, p, false));
        if (m_vaza > 0 && m_tipo != TipoMao::Ferro)
            candidatos.push_back(Lance::JogarCarta(jogador, p, true));
    }
    candidatos.push_back(Lance::Trucar(jogador));
    candidatos.push_back(Lance::Aceitar(jogador));
    candidatos.push_back(Lance::Recusar(jogador));
    std::vector<Lance> validos;
    for (const auto& l : candidatos)
        if (!Motivo(l))
            validos.push_back(l);
    return validos;
}

Visao Partida::VisaoDe(int jogador) const
{
    Visao v;
    v.jogador = jogador;
    v.vira = m_vira;
    v.tipoMao = m_tipo;
    const int parceiro = (jogador + 2) % 4;
    for (int p = 0; p < 3; ++p) {
        v.mao[p] = m_tipo == TipoMao::Ferro ? 0 : m_maos[jogador][p];
        v.jogadas[p] = m_jogadas[jogador][p];
        v.maoParceiro[p] = EquipeDe(jogador) == m_equipeOnze ? m_maos[parceiro][p] : 0;
    }
    for (auto c : m_historico) {
        if (c.coberta && c.jogador != jogador)
            c.codigo = 0;
        v.historico.push_back(c);
        if (c.vaza == m_vaza)
            v.mesa.push_back(c);
    }
    v.vaza = m_vaza;
    v.resultados = m_resultados;
    v.vazasGanhas = m_vazasGanhas;
    v.pontos = m_pontos;
    v.valor = m_valor;
    v.trucoPendente = m_trucoPendente;
    v.valorPedido = m_valorPedido;
    v.equipeChamou = m_equipeChamou;
    v.ultimaEquipeTruco = m_ultimaEquipeTruco;
    v.decisaoOnze = m_fase == Fase::DecisaoOnze;
    v.equipeOnze = m_equipeOnze;
    v.vez = m_vez;
    return v;
}
