#pragma once

#include "frmCliente.h"

#include <QSignalSpy>

// A real client played as a person would: through its screens, clicking its own cards on its
// turn and accepting every truco call and hand of eleven. The animation is stepped here (its
// timer never fires), so a game takes no longer than the messages do. Every step is bounded.
class JogadorDeTeste
{
public:
    explicit JogadorDeTeste(frmCliente& cliente);

    // Logs in through the login screen; true once the lobby shows.
    bool Entrar(const QString& login, const QString& senha);
    // Creates room nome through its dialog; true once the table shows.
    bool CriarSala(const QString& nome);
    // Waits for room nome in the lobby's list and enters it; true once the table shows.
    bool EntrarNaSala(const QString& nome, int ms);
    // Plays until "jgFim" has been handled; false when ms pass first or the client closes.
    bool JogarAteOFim(int ms);

    int Jogadas() const { return m_jogadas; }

private:
    // One step of play: every move stepped to its end, then a click if one is due.
    void Agir();

    frmCliente& m_cliente;
    QString m_login;
    QSignalSpy m_tratadas;
    int m_jogadas = 0;
};
