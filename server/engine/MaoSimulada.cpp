#include "MaoSimulada.h"

#include "Carta.h"
#include "Partida.h"

#include <algorithm>

MaoSimulada::MaoSimulada(const Visao& v) : m_vaza(v.vaza)
{
    const int eu = v.jogador;
    const auto assento = [eu](int j) { return (j - eu + 4) % 4; };
    const auto equipe = [eu](int e) { return e < 0 ? -1 : e == eu % 2 ? 0 : 1; };
    m_forcaVira = Carta::Valida(v.vira) ? Carta::Forca(v.vira, v.vira) : 0;
    m_vez = v.vez >= 0 ? assento(v.vez) : 0;
    for (int k = 0; k < 3; ++k)
        m_resultados[k] = equipe(v.resultados[k]);
    m_vazasGanhas = {v.vazasGanhas[eu % 2], v.vazasGanhas[1 - eu % 2]};
    for (auto& linha : m_cartas)
        linha.fill(kSem);

    std::array<bool, 41> vista{};
    vista[v.vira] = true;
    std::array<int, 4> jogadas{};
    for (const auto& c : v.historico) {
        const int j = assento(c.jogador);
        ++jogadas[j];
        vista[c.codigo] = true;
        if (!c.coberta && Carta::Valida(c.codigo)) {
            const int f = Carta::Forca(c.codigo, v.vira);
            m_mostradas[j][0] += f >= 10;
            m_mostradas[j][1] += f == 8 || f == 9;
        }
    }
    for (int p = 0; p < 3; ++p) {
        vista[v.mao[p]] = true;
        if (!v.jogadas[p])
            m_cartas[0][p] =
                Carta::Valida(v.mao[p]) ? std::int8_t(Carta::Forca(v.mao[p], v.vira)) : kOculta;
    }
    // The partner's cards shown at a hand of eleven, less those he has played since.
    int conhecidas = 0;
    for (int p = 0; p < 3; ++p) {
        const int c = v.maoParceiro[p];
        if (!Carta::Valida(c) || vista[c])
            continue;
        vista[c] = true;
        if (conhecidas < 3 - jogadas[2])
            m_cartas[2][conhecidas++] = std::int8_t(Carta::Forca(c, v.vira));
    }
    for (int j = 1; j < 4; ++j)
        for (int p = j == 2 ? conhecidas : 0; p < 3 - jogadas[j]; ++p)
            m_cartas[j][p] = kOculta;
    // A face-down card of another seat stays among the free ones: no one knows which it was.
    vista[0] = true;
    for (int c = 1; c <= 40; ++c)
        if (!vista[c])
            m_livres[m_nLivres++] = std::int8_t(Carta::Forca(c, v.vira));
    for (const auto& c : v.mesa) {
        m_mesaJogador[m_naMesa] = std::int8_t(assento(c.jogador));
        m_mesaForca[m_naMesa++] =
            std::int8_t(c.coberta || !Carta::Valida(c.codigo) ? Carta::kForcaCoberta
                                                              : Carta::Forca(c.codigo, v.vira));
    }
}

std::uint64_t MaoSimulada::Proximo(std::uint64_t& estado)
{
    std::uint64_t z = (estado += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

MaoSimulada MaoSimulada::Sortear(std::uint64_t& estado) const
{
    MaoSimulada m = *this;
    int n = m_nLivres;
    for (auto& linha : m.m_cartas) {
        for (auto& c : linha) {
            if (c != kOculta)
                continue;
            if (n == 0) {
                c = kSem;
                continue;
            }
            const int k = int(((Proximo(estado) >> 32) * std::uint64_t(n)) >> 32);
            c = m.m_livres[k];
            m.m_livres[k] = m.m_livres[--n];
        }
    }
    m.m_nLivres = n;
    // Weakest first, so that Escolha need not sort: a card played leaves the others in order.
    for (auto& linha : m.m_cartas) {
        if (linha[0] > linha[1])
            std::swap(linha[0], linha[1]);
        if (linha[1] > linha[2])
            std::swap(linha[1], linha[2]);
        if (linha[0] > linha[1])
            std::swap(linha[0], linha[1]);
    }
    m.m_ordenada = true;
    return m;
}

std::optional<std::pair<std::uint64_t, MaoSimulada>> MaoSimulada::Canonica() const
{
    const auto& minhas = m_cartas[0];
    const bool parceiroOculto =
        std::all_of(m_cartas[2].begin(), m_cartas[2].end(), [](int c) { return c == kOculta; });
    if (m_vaza != 0 || m_vez != 0 || m_naMesa > 1 || !parceiroOculto ||
        std::any_of(minhas.begin(), minhas.end(), [](int c) { return c < 0; }) ||
        m_nLivres != 36 - m_naMesa)
        return std::nullopt;
    MaoSimulada m = *this;
    std::sort(m.m_cartas[0].begin(), m.m_cartas[0].end());
    std::sort(m.m_livres.begin(), m.m_livres.begin() + m.m_nLivres);
    std::uint64_t chave = std::uint64_t(m_forcaVira);
    for (int c : m.m_cartas[0])
        chave = chave << 4 | std::uint64_t(c);
    chave = chave << 5 | std::uint64_t(m_naMesa ? m_mesaForca[0] + 2 : 0);
    return std::make_pair(chave, m);
}

int MaoSimulada::Escolha() const
{
    const auto& mao = m_cartas[m_vez];
    std::array<int, 3> ordem{};
    std::array<int, 3> forca{};
    int n = 0;
    for (int p = 0; p < 3; ++p) {
        const int f = mao[p];
        if (f < 0)
            continue;
        // Insertion by strength, weakest first.
        int k = n++;
        for (; !m_ordenada && k > 0 && forca[k - 1] > f; --k) {
            ordem[k] = ordem[k - 1];
            forca[k] = forca[k - 1];
        }
        ordem[k] = p;
        forca[k] = f;
    }
    if (n == 0)
        return -1;
    if (m_naMesa == 0) {
        // Lead the first trick with the best ordinary card, keeping the manilhas for later.
        if (m_vaza == 0 && n > 1)
            for (int k = n - 1; k >= 0; --k)
                if (forca[k] < 10)
                    return ordem[k];
        return ordem[n - 1];
    }
    int maior = Carta::kForcaCoberta - 1;
    for (int k = 0; k < m_naMesa; ++k)
        maior = std::max<int>(maior, m_mesaForca[k]);
    std::array<bool, 2> comMaior{};
    for (int k = 0; k < m_naMesa; ++k)
        if (m_mesaForca[k] == maior)
            comMaior[m_mesaJogador[k] % 2] = true;
    const int minha = m_vez % 2;
    if (comMaior[minha] && !comMaior[1 - minha])
        return ordem[0];
    for (int k = 0; k < n; ++k)
        if (forca[k] > maior)
            return ordem[k];
    // A tie is worth having in the first trick, or when the first is ours.
    if (m_vaza == 0 || m_resultados[0] == minha)
        for (int k = 0; k < n; ++k)
            if (forca[k] == maior)
                return ordem[k];
    return ordem[0];
}

void MaoSimulada::Jogar(int posicao, bool coberta)
{
    auto& carta = m_cartas[m_vez][posicao];
    m_mesaJogador[m_naMesa] = std::int8_t(m_vez);
    m_mesaForca[m_naMesa++] = coberta ? std::int8_t(Carta::kForcaCoberta) : carta;
    carta = kSem;
    if (m_naMesa < 4) {
        m_vez = (m_vez + 1) % 4;
        return;
    }
    int maior = Carta::kForcaCoberta - 1, vencedor = -1;
    std::array<bool, 2> comMaior{};
    for (int k = 0; k < 4; ++k) {
        if (m_mesaForca[k] > maior) {
            maior = m_mesaForca[k];
            vencedor = m_mesaJogador[k];
        }
    }
    for (int k = 0; k < 4; ++k)
        if (m_mesaForca[k] == maior)
            comMaior[m_mesaJogador[k] % 2] = true;
    if (comMaior[0] && comMaior[1]) {
        m_resultados[m_vaza] = -1;
        m_vez = m_mesaJogador[0];
    } else {
        m_resultados[m_vaza] = vencedor % 2;
        ++m_vazasGanhas[vencedor % 2];
        m_vez = vencedor;
    }
    ++m_vaza;
    m_naMesa = 0;
}

std::optional<int> MaoSimulada::Vencedora() const
{
    return Partida::VencedoraDaMao(m_resultados, m_vazasGanhas, m_vaza);
}

int MaoSimulada::JogarAteOFim(std::uint64_t& estado, int descuidada, double descuido)
{
    const auto limite = std::uint64_t(descuido * 0x1p53);
    for (;;) {
        // A hand is decided only as a trick closes.
        if (m_naMesa == 0)
            if (const auto v = Vencedora())
                return *v;
        int p = Escolha();
        if (p < 0)
            return -1;
        if (m_vez % 2 == descuidada && (Proximo(estado) >> 11) < limite) {
            const auto& mao = m_cartas[m_vez];
            std::array<int, 3> livres{};
            int n = 0;
            for (int k = 0; k < 3; ++k)
                if (mao[k] >= 0)
                    livres[n++] = k;
            p = livres[int(Proximo(estado) % std::uint64_t(n))];
        }
        Jogar(p);
    }
}

int MaoSimulada::Nivel(int jogador) const
{
    int manilhas = m_mostradas[jogador][0], altas = m_mostradas[jogador][1];
    for (int f : m_cartas[jogador]) {
        manilhas += f >= 10;
        altas += f == 8 || f == 9;
    }
    if (manilhas >= 2 || (manilhas == 1 && altas >= 1))
        return 2;
    return manilhas == 1 || altas >= 2 ? 1 : 0;
}
