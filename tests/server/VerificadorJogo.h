#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Follows one player's side of a game from the messages he receives, checks that they agree with
// each other and with the rules (his own cards, the trick winners he can work out, the points), and
// answers as a simple player would. Used by the game tests against the table and the real server.
class VerificadorJogo
{
public:
    struct Resposta
    {
        QByteArray comando;
        QList<QByteArray> argumentos;
    };

    // logins: who sits where, as "jgInf" said when the game began.
    VerificadorJogo(int assento, const std::array<QString, 4>& logins)
        : m_assento(assento), m_logins(logins)
    {
    }

    // Takes one received message; returns what this player sends back, if anything.
    std::optional<Resposta> Receber(const QByteArray& comando, const QList<QByteArray>& argumentos);

    // Whether this player calls truco on his first turn of each hand.
    void PedirTruco(bool sim) { m_pedeTruco = sim; }
    // Whether he accepts calls and plays hands of eleven (otherwise he refuses).
    void Aceitar(bool sim) { m_aceita = sim; }
    // Whether he answers at all; a silent player leaves his moves to the server's clock or a bot.
    void Calado(bool sim) { m_calado = sim; }
    void TrocarLogin(int assento, const QString& login) { m_logins.at(assento) = login; }
    // For a game that starts from a score other than 0 to 0.
    void DefinirPontos(std::array<int, 2> pontos) { m_pontos = pontos; }

    const QStringList& Erros() const { return m_erros; }
    bool Terminou() const { return m_vencedor >= 0; }
    int EquipeVencedora() const { return m_vencedor; }
    std::array<int, 2> Pontos() const { return m_pontos; }
    int CartasProprias() const { return m_cartasProprias; }

private:
    template <typename... A> void Erro(const char* formato, A... a)
    {
        m_erros << QString::asprintf("assento %d, mão %d, vaza %d: ", m_assento, m_maos,
                                     int(m_resultados.size())) +
                       QString::asprintf(formato, a...);
    }
    int Forca(int codigo) const;
    std::optional<Resposta> JogarCarta();
    int AssentoDoLogin(const QByteArray& login) const;
    // The hand's winner by the rules from the tricks so far: 0 or 1, -1 nobody, -2 not decided.
    int VencedoraDaMao() const;

    int m_assento;
    std::array<QString, 4> m_logins;
    bool m_pedeTruco = false;
    bool m_aceita = true;
    bool m_calado = false;
    QStringList m_erros;

    std::array<int, 2> m_pontos{};
    int m_vencedor = -1;
    int m_maos = 0;
    int m_cartasProprias = 0;
    bool m_jogoComecou = false;

    // The hand under way.
    bool m_emMao = false;
    int m_vira = 0;
    std::array<int, 3> m_mao{};
    std::array<bool, 3> m_jogada{};
    bool m_cega = false;
    int m_equipeOnze = -1;
    bool m_aguardandoOnze = false;
    int m_valor = 1;
    int m_pedido = 0;
    int m_equipePediu = -1;
    bool m_pediNestaMao = false;
    int m_vez = -1;
    QList<std::pair<int, int>> m_mesa; // seat, code shown
    QList<int> m_resultados;           // per trick: team, or -1 tie
    std::array<int, 2> m_vazasGanhas{};
    int m_lider = -1;
};
