#pragma once

#include "MensagemJogo.h"
#include "Texto.h"

#include <QStringList>
#include <array>
#include <optional>

// Follows one player's side of a game from the messages he receives and answers as a simple
// player would. It checks what the wire adds to the engine (whose rules have tests of their own):
// that the turn goes round in order, that he plays and is shown only his own cards, that the
// trick counts and the score add up, and that the game ends past twelve.
class VerificadorJogo
{
public:
    // logins: who sits where, as "jgInf" said when the game began.
    VerificadorJogo(int assento, const std::array<QString, 4>& logins)
        : m_assento(assento), m_logins(logins)
    {
    }

    // Whether this player calls truco on his first turn of each hand, and whether he accepts
    // calls and plays hands of eleven (otherwise he refuses).
    bool pedeTruco = false, aceita = true;

    void TrocarLogin(int assento, const QString& login) { m_logins.at(assento) = login; }

    const QStringList& Erros() const { return m_erros; }
    bool Terminou() const { return m_vencedor >= 0; }
    std::array<int, 2> Pontos() const { return m_pontos; }
    int CartasProprias() const { return m_cartasProprias; }

    // Takes one received message; returns what this player sends back, if anything.
    std::optional<MensagemJogo> Receber(const QByteArray& c, const QList<QByteArray>& a)
    {
        const auto n = [&](int i) { return a.value(i).toInt(); };
        const auto erro = [&](const QString& texto) {
            m_erros << QStringLiteral("assento %1, %2: %3").arg(m_assento).arg(c, texto);
        };
        const int minhaEquipe = m_assento % 2;
        if (c == "cmPrt" || c == "cmM11") {
            m_mao = {n(1), n(2), n(3)};
            m_jogadas = {};
            m_vazas = {};
            m_mesa.clear();
            m_proxima = m_ultimaEquipeTruco = -1;
            m_valorTruco = 0;
            // No truco in a hand of eleven nor in the blind hand of iron.
            m_pedi = c == "cmM11" || m_mao == std::array<int, 3>{};
            if (c == "cmM11" && n(7) == minhaEquipe)
                return MensagemJogo{aceita ? "tcSim" : "tcNao", {}};
        } else if (c == "Setar" && a.value(0) == "Vez") {
            int vez = 0;
            while (vez < 4 && Texto::ParaBytes(m_logins[vez]) != a.value(1))
                ++vez;
            if (m_proxima >= 0 && vez != m_proxima)
                erro(QStringLiteral("vez de %1, esperada de %2").arg(vez).arg(m_proxima));
            m_vez = vez;
            if (vez == m_assento)
                return Jogar();
        } else if (c == "Carta") {
            const int j = n(0), codigo = n(1);
            if (j == m_assento) {
                // Blind, the cards go in the order he played them.
                const bool cega = m_mao == std::array<int, 3>{};
                int p = 0;
                while (p < 3 && (m_jogadas[p] || (!cega && m_mao[p] != codigo)))
                    ++p;
                if (p == 3)
                    erro(QStringLiteral("carta %1 não é da minha mão").arg(codigo));
                else
                    m_jogadas[p] = true;
                ++m_cartasProprias;
            } else if (codigo != 0 && std::count(m_mao.begin(), m_mao.end(), codigo)) {
                erro(QStringLiteral("outro jogou a minha carta %1").arg(codigo));
            }
            m_mesa << j;
            m_vez = -1;
            m_proxima = m_mesa.size() < 4 ? (j + 1) % 4 : -1;
        } else if (c == "rdFim") {
            // The winner leads the next trick; after a tie, whoever led the tied one.
            const int vencedor = n(0);
            if (vencedor >= 0)
                ++m_vazas[vencedor % 2];
            if (m_mesa.size() != 4 || std::array{n(1), n(2)} != m_vazas)
                erro(QStringLiteral("vazas %1 a %2").arg(n(1)).arg(n(2)));
            m_proxima = vencedor >= 0 ? vencedor : m_mesa.value(0, -1);
            m_mesa.clear();
        } else if (c == "Truco") {
            m_ultimaEquipeTruco = n(0);
            m_valorTruco = n(1);
            if (n(0) != minhaEquipe)
                return MensagemJogo{aceita ? "tcSim" : "tcNao", {}};
        } else if (c == "tcAct" && m_vez == m_assento && m_mesa.size() < 4) {
            return Jogar();
        } else if (c == "prFim") {
            const std::array<int, 2> placar{n(0), n(1)};
            const int ganho = placar[0] - m_pontos[0] + placar[1] - m_pontos[1];
            if (ganho < 0 || ganho > 12 || (placar[0] != m_pontos[0] && placar[1] != m_pontos[1]))
                erro(QStringLiteral("placar %1 a %2").arg(n(0)).arg(n(1)));
            m_pontos = placar;
        } else if (c == "jgFim") {
            m_vencedor = n(0) % 2;
            if (m_pontos[m_vencedor] < 12 || m_pontos[1 - m_vencedor] >= 12)
                erro(QStringLiteral("fim com %1 a %2").arg(m_pontos[0]).arg(m_pontos[1]));
        }
        return std::nullopt;
    }

private:
    std::optional<MensagemJogo> Jogar()
    {
        if (pedeTruco && !m_pedi && m_ultimaEquipeTruco != m_assento % 2 && m_valorTruco < 12) {
            m_pedi = true;
            return MensagemJogo{"Truco", {}};
        }
        for (int p = 0; p < 3; ++p)
            if (!m_jogadas[p])
                return MensagemJogo{"Carta", {QByteArray::number(p), "False"}};
        m_erros << QStringLiteral("assento %1: minha vez sem cartas").arg(m_assento);
        return std::nullopt;
    }

    int m_assento;
    std::array<QString, 4> m_logins;
    bool m_pedi = false;
    QStringList m_erros;
    std::array<int, 2> m_pontos{}, m_vazas{};
    std::array<int, 3> m_mao{};
    std::array<bool, 3> m_jogadas{};
    QList<int> m_mesa; // the seats that played in this trick
    int m_vez = -1, m_proxima = -1, m_vencedor = -1, m_cartasProprias = 0;
    int m_ultimaEquipeTruco = -1, m_valorTruco = 0;
};
