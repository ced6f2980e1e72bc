#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>

class Participante;

// A room: its name, its password and four seats. Seat 0 is the host's. The room owns its seats
// and is where a game will live; everyone seated hears what is said to the room.
class Sala
{
public:
    static constexpr int kAssentos = 4;

    Sala(const QString& nome, const QByteArray& senha);
    virtual ~Sala() = default;

    QString Nome() const { return m_nome; }
    bool TemSenha() const { return !m_senha.isEmpty(); }
    bool SenhaConfere(const QByteArray& senha) const;

    Participante* Assento(int i) const { return m_assentos.at(size_t(i)); }
    int AssentoDe(const Participante* p) const;
    int Pessoas() const;
    bool Cheia() const { return Pessoas() == kAssentos; }
    bool Vazia() const { return Pessoas() == 0; }
    Participante* Anfitriao() const { return m_assentos[0]; }

    // A game running in the room; the room takes no seat changes meanwhile.
    virtual bool EmJogo() const { return false; }

    // Seats p in the first free seat and returns it, or -1 when the room is full.
    int Sentar(Participante* p);
    // Frees p's seat. When the host leaves, the next person in seat order moves to seat 0.
    // A room with a game running puts a bot in the seat instead.
    virtual void Levantar(Participante* p);
    // Swaps two seats, either of which may be empty.
    void Trocar(int a, int b);

    // "N/4", with " - em jogo" while a game runs.
    QString TextoJogadores() const;
    // The "jgInf" arguments: login and picture of each seat.
    QList<QByteArray> InfoAssentos() const;

    void EnviarATodos(QByteArrayView comando, const QList<QByteArray>& argumentos) const;
    void EnviarInfoAssentos() const;

private:
    QString m_nome;
    QByteArray m_senha;
    std::array<Participante*, kAssentos> m_assentos{};
};
