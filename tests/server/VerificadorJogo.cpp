#include "VerificadorJogo.h"

#include "Texto.h"

namespace {
int Num(const QList<QByteArray>& a, int i, bool* ok)
{
    bool certo = false;
    const int v = a.value(i).toInt(&certo);
    *ok = *ok && certo;
    return v;
}
} // namespace

// The rules' order, written out here on its own: 4 5 6 7 Q J K A 2 3, the manilhas (the rank
// after the vira's) above all, clubs > hearts > spades > diamonds; a face-down card below all.
int VerificadorJogo::Forca(int codigo) const
{
    if (codigo == 0)
        return -1;
    const int posto = (codigo - 1) % 10, naipe = (codigo - 1) / 10;
    const int manilha = ((m_vira - 1) % 10 + 1) % 10;
    return posto == manilha ? 100 - naipe : posto;
}

int VerificadorJogo::AssentoDoLogin(const QByteArray& login) const
{
    for (int j = 0; j < 4; ++j)
        if (Texto::ParaBytes(m_logins[j]) == login)
            return j;
    return -1;
}

int VerificadorJogo::VencedoraDaMao() const
{
    for (int e = 0; e < 2; ++e)
        if (m_vazasGanhas[e] >= 2)
            return e;
    const auto& r = m_resultados;
    if (r.size() >= 2) {
        if (r[0] != -1 && r.contains(-1))
            return r[0];
        if (r[0] == -1) {
            for (int k = 1; k < r.size(); ++k)
                if (r[k] != -1)
                    return r[k];
            if (r.size() == 3)
                return -1;
        }
    }
    return -2;
}

std::optional<VerificadorJogo::Resposta> VerificadorJogo::JogarCarta()
{
    if (m_calado)
        return std::nullopt;
    for (int p = 0; p < 3; ++p)
        if (!m_jogada[p])
            return Resposta{"Carta", {QByteArray::number(p), "False"}};
    Erro("minha vez sem cartas na mão");
    return std::nullopt;
}

std::optional<VerificadorJogo::Resposta> VerificadorJogo::Receber(const QByteArray& c,
                                                                  const QList<QByteArray>& a)
{
    bool ok = true;
    const int minhaEquipe = m_assento % 2;
    std::optional<Resposta> resposta;

    if (c == "cmJog") {
        if (m_jogoComecou)
            Erro("cmJog repetido");
        m_jogoComecou = true;
    } else if (c == "cmPrt" || c == "cmM11") {
        if (!m_jogoComecou || m_emMao || Terminou())
            Erro("%s fora de hora", c.constData());
        const bool onze = c == "cmM11";
        m_vira = Num(a, 0, &ok);
        QList<int> vistas{m_vira};
        for (int p = 0; p < 3; ++p) {
            m_mao[p] = Num(a, 1 + p, &ok);
            vistas << m_mao[p];
        }
        m_cega = m_mao == std::array<int, 3>{};
        const bool ferro = m_pontos[0] == 11 && m_pontos[1] == 11;
        const bool deOnze = !ferro && (m_pontos[0] == 11 || m_pontos[1] == 11);
        if (m_cega != ferro)
            Erro("cartas cegas fora da mão de ferro, ou vistas nela");
        if (onze != deOnze)
            Erro("%s com o placar %d a %d", c.constData(), m_pontos[0], m_pontos[1]);
        m_equipeOnze = -1;
        if (onze) {
            m_equipeOnze = Num(a, 7, &ok);
            if (m_pontos[m_equipeOnze] != 11)
                Erro("decide a mão de onze quem não tem onze");
            for (int p = 0; p < 3; ++p) {
                const int parceiro = Num(a, 4 + p, &ok);
                if (minhaEquipe == m_equipeOnze)
                    vistas << parceiro;
                else if (parceiro != 0)
                    Erro("vi as cartas do parceiro sem ter onze");
            }
        }
        if (!m_cega) {
            for (int i = 0; i < vistas.size(); ++i) {
                if (vistas[i] < 1 || vistas[i] > 40 || vistas.indexOf(vistas[i]) != i)
                    Erro("cartas inválidas ou repetidas na distribuição");
            }
        }
        m_emMao = true;
        m_jogada = {};
        m_aguardandoOnze = onze;
        m_valor = onze ? 3 : 1;
        m_pedido = 0;
        m_equipePediu = -1;
        m_pediNestaMao = false;
        m_vez = -1;
        m_mesa.clear();
        m_resultados.clear();
        m_vazasGanhas = {};
        m_lider = -1;
        if (onze && minhaEquipe == m_equipeOnze && !m_calado)
            resposta = Resposta{m_aceita ? "tcSim" : "tcNao", {}};
    } else if (c == "esM11") {
        if (!m_aguardandoOnze)
            Erro("esM11 sem mão de onze");
        m_aguardandoOnze = false;
    } else if (c == "Setar") {
        if (a.value(0) != "Vez")
            return std::nullopt;
        const int vez = AssentoDoLogin(a.value(1));
        if (vez < 0)
            Erro("vez de quem não está na mesa: %s", a.value(1).constData());
        if (!m_emMao || m_aguardandoOnze)
            Erro("vez fora de uma mão em jogo");
        if (!m_mesa.isEmpty() && vez != (m_mesa.back().first + 1) % 4)
            Erro("vez fora da ordem");
        if (m_mesa.isEmpty() && m_lider >= 0 && vez != m_lider)
            Erro("a vaza não começa por quem devia");
        m_vez = vez;
        if (vez == m_assento && !m_calado) {
            const bool podePedir = !m_cega && m_equipeOnze < 0 && m_pedido == 0 &&
                                   m_equipePediu != minhaEquipe && m_valor < 12;
            if (m_pedeTruco && !m_pediNestaMao && podePedir) {
                m_pediNestaMao = true;
                resposta = Resposta{"Truco", {}};
            } else {
                resposta = JogarCarta();
            }
        }
    } else if (c == "Carta") {
        const int j = Num(a, 0, &ok), codigo = Num(a, 1, &ok);
        if (j != m_vez || m_pedido != 0)
            Erro("carta de %d fora da vez", j);
        if (m_mesa.size() >= 4 || codigo < 0 || codigo > 40 || codigo == m_vira)
            Erro("carta impossível: %d", codigo);
        if (j == m_assento) {
            int p = 0;
            for (; p < 3; ++p)
                if (!m_jogada[p] && (m_cega || m_mao[p] == codigo))
                    break;
            if (p == 3)
                Erro("joguei uma carta que não era minha: %d", codigo);
            else
                m_jogada[p] = true;
            ++m_cartasProprias;
        } else if (codigo != 0 && !m_cega &&
                   std::find(m_mao.begin(), m_mao.end(), codigo) != m_mao.end()) {
            Erro("outro jogou a minha carta %d", codigo);
        }
        m_mesa.append({j, codigo});
        m_vez = -1;
    } else if (c == "rdFim") {
        const int vencedor = Num(a, 0, &ok);
        const std::array<int, 2> placar{Num(a, 1, &ok), Num(a, 2, &ok)};
        if (m_mesa.size() != 4) {
            Erro("rdFim com %d cartas na mesa", int(m_mesa.size()));
        } else {
            int maior = -2;
            for (const auto& [j, codigo] : m_mesa)
                maior = std::max(maior, Forca(codigo));
            std::array<bool, 2> comMaior{};
            for (const auto& [j, codigo] : m_mesa)
                if (Forca(codigo) == maior)
                    comMaior[j % 2] = true;
            const bool empate = comMaior[0] && comMaior[1];
            if (empate != (vencedor == -1))
                Erro("empate mal apurado");
            if (!empate) {
                const int equipe = comMaior[0] ? 0 : 1;
                if (vencedor < 0 || vencedor % 2 != equipe)
                    Erro("vaza dada ao time errado");
                ++m_vazasGanhas[equipe];
            }
            m_resultados << (empate ? -1 : vencedor % 2);
            m_lider = empate ? m_mesa.front().first : vencedor;
        }
        if (placar != m_vazasGanhas)
            Erro("contagem de vazas errada");
        m_mesa.clear();
    } else if (c == "Truco") {
        const int equipe = Num(a, 0, &ok), valor = Num(a, 1, &ok);
        const int quem = AssentoDoLogin(a.value(2));
        const int esperado = m_pedido ? m_pedido + 3 : (m_valor == 1 ? 3 : m_valor + 3);
        if (valor != esperado || valor > 12)
            Erro("truco de %d quando se esperava %d", valor, esperado);
        if (quem < 0 || quem % 2 != equipe || equipe == m_equipePediu)
            Erro("truco de quem não podia");
        if (m_cega || m_equipeOnze >= 0)
            Erro("truco onde não se pede");
        if (m_pedido)
            m_valor = m_pedido;
        m_pedido = valor;
        m_equipePediu = equipe;
        if (equipe != minhaEquipe && !m_calado)
            resposta = Resposta{m_aceita ? "tcSim" : "tcNao", {}};
    } else if (c == "tcAct") {
        if (!m_pedido)
            Erro("tcAct sem pedido");
        m_valor = m_pedido;
        m_pedido = 0;
        if (m_vez == m_assento)
            resposta = JogarCarta();
    } else if (c == "prFim") {
        const std::array<int, 2> placar{Num(a, 0, &ok), Num(a, 1, &ok)};
        std::array<int, 2> esperado = m_pontos;
        if (m_pedido) {
            esperado[m_equipePediu] += m_valor;
        } else if (m_equipeOnze >= 0 && m_resultados.isEmpty() && m_mesa.isEmpty() &&
                   std::none_of(m_jogada.begin(), m_jogada.end(), [](bool b) { return b; })) {
            esperado[1 - m_equipeOnze] += 1;
        } else {
            const int v = VencedoraDaMao();
            if (v == -2)
                Erro("prFim com a mão por decidir");
            else if (v >= 0)
                esperado[v] += m_valor;
        }
        if (placar != esperado)
            Erro("placar %d a %d, esperado %d a %d", placar[0], placar[1], esperado[0],
                 esperado[1]);
        m_pontos = placar;
        m_emMao = false;
        m_pedido = 0;
        ++m_maos;
    } else if (c == "jgFim") {
        const int j = Num(a, 0, &ok);
        const int equipe = j % 2;
        if (m_emMao || m_pontos[equipe] < 12 || m_pontos[1 - equipe] >= 12)
            Erro("jgFim com o placar %d a %d", m_pontos[0], m_pontos[1]);
        m_vencedor = equipe;
    }
    if (!ok)
        Erro("argumentos inválidos em %s", c.constData());
    return resposta;
}
