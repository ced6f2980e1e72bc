#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Participante;
class Sala;

// Everyone logged in, the rooms and the chat. Takes the wire arguments of the lobby and room
// commands, checks them, changes the rooms and tells each person what changed for him. A command
// that has no refusal form and does not fit is ignored.
class Lobby
{
public:
    // Makes the room object; the game layer gives one that can hold a game.
    using FabricaSala =
        std::function<std::unique_ptr<Sala>(const QString& nome, const QByteArray& senha)>;

    explicit Lobby(FabricaSala fabrica = {});
    ~Lobby();

    // After a login: the newcomer gets "slInf" and "hlInf", everyone else the new "hlInf".
    void Chegar(Participante* p);
    // A disconnection: leaves his room, and everyone left gets the new "hlInf".
    void Partir(Participante* p);

    void Conversar(Participante* p, const QByteArray& texto);
    void CriarSala(Participante* p, const QByteArray& nome, const QByteArray& senha);
    void EntrarSala(Participante* p, const QByteArray& nome, const QByteArray& senha);
    void TrocarAssentos(Participante* p, const QByteArray& a, const QByteArray& b);
    void SairSala(Participante* p);
    // A new picture shows in the next "jgInf" of his room.
    void FotoTrocada(Participante* p);

    Sala* SalaDe(const Participante* p) const;
    Sala* BuscarSala(const QString& nome) const;

    // "slInf": at most 63 rooms fit, those with free seats first.
    QList<QByteArray> InfoSalas() const;
    // "hlInf": everyone logged in, at most 254.
    QList<QByteArray> InfoJogadores() const;

    // To everyone logged in who is not in a room.
    void EnviarAoSaguao(QByteArrayView comando, const QList<QByteArray>& argumentos) const;
    void EnviarInfoSalasAoSaguao() const;

private:
    void Levantar(Participante* p, Sala* sala);
    void Fechar(Sala* sala);

    FabricaSala m_fabrica;
    QList<Participante*> m_conectados;
    std::vector<std::unique_ptr<Sala>> m_salas;
};
