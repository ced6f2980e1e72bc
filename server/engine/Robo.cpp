#include "Robo.h"

#include "Carta.h"

#include <algorithm>

namespace {
bool Contem(const std::vector<Lance>& validos, const Lance& lance)
{
    return std::find(validos.begin(), validos.end(), lance) != validos.end();
}

// How much a gain in the chance of the game must exceed before the bot raises the stakes: calling
// later, with more cards seen, is always open.
constexpr double kMargemTruco = 0.004;
// The share of hands the bot expects to take, which sets what a point is worth at each score:
// against the players it meets it takes about two in three, so it prefers many small hands to a
// few large ones.
constexpr double kChanceDaMao = 0.65;
// In the deals played out, the other team plays a careless card this often (more when it calls
// loosely): the bot's rule of thumb is better play than most opponents'.
constexpr double kDescuido = 0.4;

// 0 for a weak hand, 1 for a fair one (a manilha or two 2s and 3s), 2 for a strong one (two
// manilhas, or a manilha with a 2 or a 3): the cards the seat still holds and those it played.
int Nivel(const Visao& v, const MaoSimulada& m, int jogador)
{
    int manilhas = 0, altas = 0;
    auto contar = [&](int c) {
        if (!Carta::Valida(c))
            return;
        const int f = Carta::Forca(c, v.vira);
        manilhas += f >= 10;
        altas += f == 8 || f == 9;
    };
    for (int c : m.Cartas(jogador))
        contar(c);
    for (const auto& c : v.historico)
        if (c.jogador == jogador)
            contar(c.codigo);
    if (manilhas >= 2 || (manilhas == 1 && altas >= 1))
        return 2;
    return manilhas == 1 || altas >= 2 ? 1 : 0;
}

// The other team's cards, dealt: the strongest of its two hands.
int NivelDeles(const Visao& v, const MaoSimulada& m)
{
    const int j = (v.jogador + 1) % 4;
    return std::max(Nivel(v, m, j), Nivel(v, m, (j + 2) % 4));
}

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
    if (vencedora == v.Equipe())
        return ChanceDoJogo(nos + valor, eles);
    if (vencedora < 0)
        return ChanceDoJogo(nos, eles);
    return ChanceDoJogo(nos, eles + valor);
}

MaoSimulada Robo::Amostra(const Visao& v, const MaoSimulada& base, double solto,
                          std::uint64_t& estado)
{
    const int eles = 1 - v.Equipe();
    const bool pendente = v.trucoPendente;
    // A raise answers a call: a call of ours pending above 3 means they called before.
    const bool chamaram =
        pendente ? v.equipeChamou == eles || v.valorPedido > 3 : v.ultimaEquipeTruco == eles;
    const bool aceitaram = !chamaram && !pendente && v.ultimaEquipeTruco == v.Equipe();
    MaoSimulada m = base.Sortear(estado);
    if (!chamaram && !aceitaram)
        return m;
    // Deals that do not fit what they did are mostly thrown back; a few tries bound the cost.
    for (int tentativa = 0; tentativa < 8; ++tentativa) {
        const int nivel = NivelDeles(v, m);
        const double peso = chamaram ? (nivel == 2   ? 1.0
                                        : nivel == 1 ? 0.3 + 0.5 * solto
                                                     : 0.1 + 0.6 * solto)
                                     : (nivel >= 1 ? 1.0 : 0.3 + 0.5 * solto);
        if (double(MaoSimulada::Proximo(estado) >> 11) < peso * double(1ull << 53))
            break;
        m = base.Sortear(estado);
    }
    return m;
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
    // or more calls on anything. Until there is evidence, the share is taken as one in five.
    const double parcela = (m.pedidos + 2.0) / (m.maos + 10.0);
    return std::clamp((parcela - 0.22) / 0.12, 0.0, 1.0);
}

Lance Robo::Decidir(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    const int nos = v.Equipe(), eles = 1 - nos;
    if (v.tipoMao == TipoMao::Ferro)
        return validos.front(); // blind: any card is as good as another
    std::uint64_t estado = Embaralhar(m_semente, v);
    const MaoSimulada base(v);
    const double solto = Lembrar(v);

    if (v.decisaoOnze) {
        double jogar = 0;
        for (int k = 0; k < kAmostras; ++k) {
            MaoSimulada m = base.Sortear(estado);
            jogar += Valor(v, Terminar(v, m, solto, estado), v.valor);
        }
        return jogar / kAmostras >= Valor(v, eles, 1) ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    }

    const bool podeTrucar = Contem(validos, Lance::Trucar(eu));
    if (!v.trucoPendente && !podeTrucar)
        return EscolherCarta(v, validos, solto, estado);

    // Keeping the hand at its value, against raising it: they refuse and we take the value
    // now, or they accept and it is played for the new one.
    const int atual = v.trucoPendente ? v.valorPedido : v.valor;
    const int novo = atual == 1 ? 3 : atual + 3;
    double manter = 0, subir = 0;
    for (int k = 0; k < kAmostras; ++k) {
        MaoSimulada m = Amostra(v, base, solto, estado);
        const int nivel = NivelDeles(v, m);
        const int vencedora = Terminar(v, m, solto, estado);
        const double aceita = ChanceDeAceitar(nivel, solto);
        manter += Valor(v, vencedora, atual);
        // A loose team raises back a third of the time.
        const double volta = novo >= 12 ? 0.0 : solto / 3;
        const double jogada =
            (1 - volta) * Valor(v, vencedora, novo) + volta * Valor(v, vencedora, novo + 3);
        subir += aceita * jogada + (1 - aceita) * Valor(v, nos, atual);
    }
    manter /= kAmostras;
    subir /= kAmostras;
    if (v.trucoPendente) {
        const double recusar = Valor(v, eles, v.valor);
        if (podeTrucar && subir > manter + kMargemTruco && subir > recusar)
            return Lance::Trucar(eu);
        return manter >= recusar ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    }
    if (subir > manter + kMargemTruco)
        return Lance::Trucar(eu);
    return EscolherCarta(v, validos, solto, estado);
}

int Robo::Terminar(const Visao& v, MaoSimulada& mao, double solto, std::uint64_t& estado)
{
    return mao.JogarAteOFim(estado, 1 - v.Equipe(), kDescuido + 0.4 * solto);
}

Lance Robo::EscolherCarta(const Visao& v, const std::vector<Lance>& validos, double, std::uint64_t&)
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
