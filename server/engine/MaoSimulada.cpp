#include "MaoSimulada.h"

#include "Carta.h"
#include "Partida.h"

#include <algorithm>

MaoSimulada::MaoSimulada(const Visao& v)
    : m_vira(v.vira), m_vaza(v.vaza), m_vez(v.vez), m_resultados(v.resultados),
      m_vazasGanhas(v.vazasGanhas)
{
    std::array<bool, 41> vista{};
    vista[v.vira] = true;
    std::array<int, 4> jogadas{};
    for (const auto& c : v.historico) {
        ++jogadas[c.jogador];
        vista[c.codigo] = true;
    }
    const int eu = v.jogador;
    for (int p = 0; p < 3; ++p) {
        vista[v.mao[p]] = true;
        if (!v.jogadas[p])
            m_cartas[eu][p] = Carta::Valida(v.mao[p]) ? v.mao[p] : kOculta;
    }
    // The partner's cards shown at a hand of eleven, less those he has played since.
    const int parceiro = (eu + 2) % 4;
    int conhecidas = 0;
    for (int p = 0; p < 3; ++p) {
        const int c = v.maoParceiro[p];
        if (!Carta::Valida(c) || vista[c])
            continue;
        vista[c] = true;
        if (conhecidas < 3 - jogadas[parceiro])
            m_cartas[parceiro][conhecidas++] = c;
    }
    for (int j = 0; j < 4; ++j) {
        if (j == eu)
            continue;
        for (int p = j == parceiro ? conhecidas : 0; p < 3 - jogadas[j]; ++p)
            m_cartas[j][p] = kOculta;
    }
    for (const auto& linha : m_cartas)
        m_ocultas += int(std::count(linha.begin(), linha.end(), kOculta));
    // A face-down card of another seat stays among the free ones: no one knows which it was.
    vista[0] = true;
    for (int c = 1; c <= 40; ++c)
        if (!vista[c])
            m_livres[m_nLivres++] = c;
    for (const auto& c : v.mesa) {
        m_mesaJogador[m_naMesa] = c.jogador;
        m_mesaForca[m_naMesa++] = c.coberta || !Carta::Valida(c.codigo)
                                      ? Carta::kForcaCoberta
                                      : Carta::Forca(c.codigo, v.vira);
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
        for (int& c : linha) {
            if (c != kOculta)
                continue;
            if (n == 0) {
                c = 0;
                continue;
            }
            const int k = int(((Proximo(estado) >> 32) * std::uint64_t(n)) >> 32);
            c = m.m_livres[k];
            m.m_livres[k] = m.m_livres[--n];
        }
    }
    m.m_nLivres = n;
    m.m_ocultas = 0;
    return m;
}

int MaoSimulada::Escolha() const
{
    const auto& mao = m_cartas[m_vez];
    std::array<int, 3> ordem{};
    std::array<int, 3> forca{};
    int n = 0;
    for (int p = 0; p < 3; ++p) {
        if (mao[p] <= 0)
            continue;
        // Insertion by strength, weakest first.
        const int f = Carta::Forca(mao[p], m_vira);
        int k = n++;
        for (; k > 0 && forca[k - 1] > f; --k) {
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
        maior = std::max(maior, m_mesaForca[k]);
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
    int& carta = m_cartas[m_vez][posicao];
    m_mesaJogador[m_naMesa] = m_vez;
    m_mesaForca[m_naMesa++] = coberta ? Carta::kForcaCoberta : Carta::Forca(carta, m_vira);
    carta = 0;
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
    for (;;) {
        if (const auto v = Vencedora())
            return *v;
        int p = Escolha();
        if (p < 0)
            return -1;
        if (m_vez % 2 == descuidada && double(Proximo(estado) >> 11) < descuido * 0x1p53) {
            const auto& mao = m_cartas[m_vez];
            std::array<int, 3> livres{};
            int n = 0;
            for (int k = 0; k < 3; ++k)
                if (mao[k] > 0)
                    livres[n++] = k;
            p = livres[int(Proximo(estado) % std::uint64_t(n))];
        }
        Jogar(p);
    }
}
