#include "Robo.h"

#include "Carta.h"

#include <algorithm>
#include <unordered_map>

namespace {
bool Contem(const std::vector<Lance>& validos, const Lance& lance)
{
    return std::find(validos.begin(), validos.end(), lance) != validos.end();
}

// How much a gain in the chance of the game must exceed before the bot raises the stakes: calling
// later, with more cards seen, is always open.
constexpr double kMargemTruco = 0.004;
// The share of hands the bot expects to take, which sets what a point is worth at each score:
// against the players it meets it takes about seven in ten, so it prefers many small hands to a
// few large ones (0.65 and 0.75 both did worse against the rate tool's players).
constexpr double kChanceDaMao = 0.70;
// In the deals played out, the other team plays a careless card this often, up to always when it
// calls on anything: the bot's rule of thumb is better play than most opponents'.
constexpr double kDescuido = 0.4;
// Bounds the memory of first cards (about 100 bytes each).
constexpr std::size_t kMaxMemo = 1 << 17;

// How likely the other team takes a call in a deal where its best hand is at this level: a sound
// player mostly when he has cards, a loose one (solto 1) anyway.
double ChanceDeAceitar(int nivelDeles, double solto)
{
    return nivelDeles >= 1 ? 0.85 : 0.2 + 0.45 * solto;
}

std::uint64_t Embaralhar(std::uint32_t semente, const Visao& v)
{
    std::uint64_t h = 0xcbf29ce484222325ull ^ semente;
    auto mais = [&h](int x) { h = (h ^ std::uint64_t(x + 2)) * 0x100000001b3ull; };
    mais(v.jogador);
    mais(v.vira);
    for (int c : v.mao)
        mais(c);
    for (const auto& c : v.historico)
        mais(c.codigo * 8 + c.jogador * 2 + c.coberta);
    for (int x : {v.vaza, v.valor, v.valorPedido, int(v.trucoPendente), v.pontos[0], v.pontos[1],
                  int(v.decisaoOnze)})
        mais(x);
    return h;
}
} // namespace

double Robo::ChanceDoJogo(int a, int b)
{
    static const auto tabela = [] {
        const double q = kChanceDaMao;
        std::array<std::array<double, 16>, 16> w{};
        for (int x = 15; x >= 0; --x) {
            for (int y = 15; y >= 0; --y) {
                if (x >= 12 || y >= 12)
                    w[x][y] = x >= 12 ? 1.0 : 0.0;
                else if (x == 11 && y == 11)
                    w[x][y] = q;  // the iron hand, a point blind
                else if (x == 11) // ours to play for 3 or give them 1
                    w[x][y] = std::max(w[x][y + 1], q + (1 - q) * w[x][y + 3]);
                else if (y == 11)
                    w[x][y] = std::min(w[x + 1][y], q * w[x + 3][y]);
                else
                    w[x][y] = q * w[x + 1][y] + (1 - q) * w[x][y + 1];
            }
        }
        return w;
    }();
    return tabela[std::clamp(a, 0, 15)][std::clamp(b, 0, 15)];
}

double Robo::Valor(const Visao& v, int vencedora, int valor)
{
    const int nos = v.pontos[v.Equipe()], eles = v.pontos[1 - v.Equipe()];
    if (vencedora == 0)
        return ChanceDoJogo(nos + valor, eles);
    if (vencedora < 0)
        return ChanceDoJogo(nos, eles);
    return ChanceDoJogo(nos, eles + valor);
}

double Robo::Lembrar(const Visao& v)
{
    const int eles = 1 - v.Equipe();
    Memoria& m = m_memoria[v.Equipe()];
    const std::uint64_t mao =
        std::uint64_t(v.vira) << 16 | std::uint64_t(v.pontos[0]) << 8 | std::uint64_t(v.pontos[1]);
    if (mao != m.mao) {
        m.mao = mao;
        m.viuPedido = false;
        ++m.maos;
    }
    const bool pediram = (v.trucoPendente && v.equipeChamou == eles) || v.ultimaEquipeTruco == eles;
    if (pediram && !m.viuPedido) {
        m.viuPedido = true;
        ++m.pedidos;
    }
    // A sound team calls in about one hand in six or seven; one that calls in a third of its hands
    // or more calls on anything. Until there is evidence, the share is taken as one in four, and
    // a few hands tell: a loose team is read as such early in the game.
    const double parcela = (m.pedidos + 1.0) / (m.maos + 4.0);
    return std::clamp((parcela - 0.22) / 0.12, 0.0, 1.0);
}

Robo::Medida Robo::Jogar(const MaoSimulada& base, std::array<bool, 3> tentar, int amostras,
                         double descuido, std::uint64_t estado)
{
    Medida m;
    m.amostras = amostras;
    const bool livre =
        base.Vez() != 0 || std::none_of(tentar.begin(), tentar.end(), [](bool t) { return t; });
    // Each card goes down before the deal, and every card meets the same deals.
    std::array<MaoSimulada, 3> jogada{base, base, base};
    for (int p = 0; p < 3; ++p)
        if (!livre && tentar[p])
            jogada[p].Jogar(p);
    for (int k = 0; k < amostras; ++k) {
        const std::uint64_t inicio = estado;
        int nivel = -1, primeiro = -2;
        for (int p = 0; p < 3; ++p) {
            if (!livre && !tentar[p])
                continue;
            estado = inicio;
            MaoSimulada t = jogada[p].Sortear(estado);
            if (nivel < 0)
                nivel = std::max(t.Nivel(1), t.Nivel(3));
            const int v = t.JogarAteOFim(estado, 1, descuido);
            ++m.n[p][nivel][v < 0 ? 2 : v];
            if (primeiro == -2)
                primeiro = v;
            else if (v != primeiro)
                primeiro = -3;
            if (livre)
                break;
        }
        m.diferentes += primeiro == -3;
    }
    return m;
}

Robo::Medida Robo::Medir(const MaoSimulada& base, std::array<bool, 3> tentar, double solto,
                         int amostras, std::uint64_t& estado) const
{
    const auto canonica = m_orcamento.busca > kAmostrasMemo ? std::nullopt : base.Canonica();
    if (!canonica)
        return Jogar(base, tentar, amostras, kDescuido + 0.6 * solto, estado);

    // Judged against a sound team whatever the other team's habits: a memory for each habit would
    // take that many times the deals before it served, and judging first cards as against a
    // careless team lost more against sound players (70.1 % against the greedy pair, 71.6 % so)
    // than it gained against random ones (95.1 %, 94.8 % so).
    thread_local std::unordered_map<std::uint64_t, Medida> memoria;
    const std::uint64_t chave = canonica->first;
    auto it = memoria.find(chave);
    Medida canonico;
    if (it != memoria.end()) {
        canonico = it->second;
    } else {
        // Dealt from the key alone: the same shape gets the same judgement whenever it comes.
        std::uint64_t semente = chave;
        canonico = Jogar(canonica->second, {true, true, true}, kAmostrasMemo, kDescuido,
                         MaoSimulada::Proximo(semente));
        if (memoria.size() < kMaxMemo)
            memoria.emplace(chave, canonico);
    }
    // Back from the order of strength to the hand's positions.
    Medida m;
    m.amostras = canonico.amostras;
    for (int p = 0; p < 3; ++p)
        for (int i = 0; i < 3; ++i)
            if (canonica->second.Forca(0, i) == base.Forca(0, p)) {
                m.n[p] = canonico.n[i];
                break;
            }
    return m;
}

Lance Robo::Decidir(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    if (v.tipoMao == TipoMao::Ferro)
        return validos.front(); // blind: any card is as good as another
    const double solto = Lembrar(v);
    const bool podeTrucar = Contem(validos, Lance::Trucar(eu));
    const bool carta = std::any_of(validos.begin(), validos.end(),
                                   [](const Lance& l) { return l.tipo == Lance::Tipo::Carta; });
    const Lance regra = carta ? EscolherCarta(v, validos) : validos.front();
    const MaoSimulada base(v);
    const bool buscar = carta && Buscar(v, base, validos);
    if (!v.decisaoOnze && !v.trucoPendente && !podeTrucar && !buscar)
        return regra;

    std::array<bool, 3> tentar{};
    const int padrao = base.Vez() == 0 ? std::max(base.Escolha(), 0) : 0;
    if (buscar) {
        for (const Lance& l : validos)
            if (l.tipo == Lance::Tipo::Carta && !l.coberta)
                tentar[l.posicao] = true;
    } else if (base.Vez() == 0) {
        tentar[padrao] = true;
    }
    std::uint64_t estado = Embaralhar(m_semente, v);
    const bool soPedir = !buscar && !v.decisaoOnze && !v.trucoPendente;
    Medida m = Medir(base, tentar, solto,
                     soPedir  ? m_orcamento.primeiras
                     : buscar ? m_orcamento.primeiras * 2
                              : m_orcamento.amostras,
                     estado);

    // More deals, as many again as there are.
    const auto Mais = [&] {
        const Medida mais = Medir(base, tentar, solto, m.amostras, estado);
        for (int p = 0; p < 3; ++p)
            for (int nivel = 0; nivel < 3; ++nivel)
                for (int r = 0; r < 3; ++r)
                    m.n[p][nivel][r] = std::uint16_t(m.n[p][nivel][r] + mais.n[p][nivel][r]);
        m.amostras += mais.amostras;
        m.diferentes += mais.diferentes;
    };
    // Cards that end every deal alike need no more; where some deal tells them apart, more do.
    while (buscar && m.diferentes > 0 && m.amostras < m_orcamento.busca)
        Mais();

    // A call or an acceptance by the other team tells of its cards: deals where its best hand is
    // weak count for less, the less so the more loosely it calls.
    const bool pendente = v.trucoPendente;
    const int eles = 1 - v.Equipe();
    // A raise answers a call: a call of ours pending above 3 means they called before.
    const bool chamaram =
        pendente ? v.equipeChamou == eles || v.valorPedido > 3 : v.ultimaEquipeTruco == eles;
    const bool aceitaram = !chamaram && !pendente && v.ultimaEquipeTruco == v.Equipe();
    std::array<double, 3> peso{1, 1, 1};
    if (chamaram)
        peso = {0.1 + 0.9 * solto, 0.3 + 0.7 * solto, 1};
    else if (aceitaram)
        peso = {0.3 + 0.5 * solto, 1, 1};
    const auto media = [&](int p, auto valor) {
        double soma = 0, total = 0;
        for (int nivel = 0; nivel < 3; ++nivel)
            for (int r = 0; r < 3; ++r) {
                const double w = peso[nivel] * m.n[p][nivel][r];
                soma += w * valor(nivel, r < 2 ? r : -1);
                total += w;
            }
        return total > 0 ? soma / total : 0.0;
    };

    if (v.decisaoOnze) {
        const double jogar = media(padrao, [&](int, int r) { return Valor(v, r, v.valor); });
        return jogar >= Valor(v, 1, 1) ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    }

    // The rule's card, face down or not, unless another does better.
    int melhor = padrao;
    if (buscar) {
        const auto jogando = [&](int p) {
            return media(p, [&](int, int r) { return Valor(v, r, v.valor); });
        };
        double valorMelhor = jogando(melhor);
        for (int p = 0; p < 3; ++p)
            if (tentar[p] && jogando(p) > valorMelhor + 1e-9) {
                melhor = p;
                valorMelhor = jogando(p);
            }
    }
    const Lance jogada = melhor == padrao ? regra : Lance::JogarCarta(eu, melhor);
    if (!pendente && !podeTrucar)
        return jogada;

    // Keeping the hand at its value, against raising it: they refuse and we take the value
    // now, or they accept and it is played for the new one.
    const int atual = pendente ? v.valorPedido : v.valor;
    const int novo = atual == 1 ? 3 : atual + 3;
    // A loose team raises back a third of the time.
    const double volta = novo >= 12 ? 0.0 : solto / 3;
    const auto ganho = [&](int nivel, int r) {
        const double aceita = ChanceDeAceitar(nivel, solto);
        const double jogado = (1 - volta) * Valor(v, r, novo) + volta * Valor(v, r, novo + 3);
        return aceita * jogado + (1 - aceita) * Valor(v, 0, atual) - Valor(v, r, atual);
    };
    // Whether to call is mostly plain after a few deals; more are dealt only while it is not.
    while (soPedir && m.amostras < m_orcamento.amostras) {
        const double d = media(melhor, ganho) - kMargemTruco;
        const double var = media(melhor, [&](int nivel, int r) {
            const double x = ganho(nivel, r) - d - kMargemTruco;
            return x * x;
        });
        if (d * d * m.amostras > 4 * var)
            break;
        Mais();
    }
    const double manter = media(melhor, [&](int, int r) { return Valor(v, r, atual); });
    const double subir = manter + media(melhor, ganho);
    if (pendente) {
        const double recusar = Valor(v, 1, v.valor);
        if (podeTrucar && subir > manter + kMargemTruco && subir > recusar)
            return Lance::Trucar(eu);
        return manter >= recusar ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    }
    if (subir > manter + kMargemTruco)
        return Lance::Trucar(eu);
    return jogada;
}

Lance Robo::EscolherCarta(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    const int p = MaoSimulada(v).Escolha();
    if (p < 0 || !Contem(validos, Lance::JogarCarta(eu, p)))
        return validos.front();
    // A card that neither takes nor ties the trick goes face down when it may: it tells the
    // others nothing.
    int maior = Carta::kForcaCoberta;
    for (const auto& c : v.mesa)
        if (!c.coberta && Carta::Valida(c.codigo))
            maior = std::max(maior, Carta::Forca(c.codigo, v.vira));
    const bool inutil = !v.mesa.empty() && Carta::Forca(v.mao[p], v.vira) < maior;
    return Lance::JogarCarta(eu, p, inutil && Contem(validos, Lance::JogarCarta(eu, p, true)));
}
