#pragma once

#include "SaguaoCompartilhado.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

class Participante;
class Sala;

// Everyone logged in, the rooms and the chat. Takes the wire arguments of the lobby and room
// commands, checks them, changes the rooms and tells each person what changed for him. A command
// that has no refusal form and does not fit is ignored. With several processes in the service,
// the lists also show the others' rooms and people, and the lobby chat reaches theirs.
class Lobby
{
public:
    // Makes the room object; the game layer gives one that can hold a game.
    using FabricaSala =
        std::function<std::unique_ptr<Sala>(const QString& nome, const QByteArray& senha)>;

    explicit Lobby(FabricaSala fabrica = {});
    ~Lobby();

    // The other processes of the service, before anyone arrives; by default there are none.
    void Compartilhar(std::unique_ptr<SaguaoCompartilhado> saguao);
    // "Entra" for a room of another process: p is handed to whoever relays him there, having
    // left this lobby (Partir); he comes back with Chegar.
    using EntradaRemota = std::function<void(Participante* p, const SaguaoCompartilhado::Sala& sala,
                                             const QByteArray& nome, const QByteArray& senha)>;
    void AoEntrarRemota(EntradaRemota entrada) { m_entradaRemota = std::move(entrada); }

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

    // To everyone logged in who is not in a room, together with the chat lines said in a row
    // before it: a burst of lines costs each person one message in his line, not one per line.
    void EnviarAoSaguao(QByteArrayView comando, const QList<QByteArray>& argumentos);
    // Sends what EnviarAoSaguao gathered; the dispatcher calls it before any other command, so
    // that nobody is told of anything in another order than it happened.
    void EnviarConversas();
    // The rooms changed (a game began or ended): the lobby gets the new "slInf" shortly, if what
    // it shows changed.
    void EnviarInfoSalasAoSaguao();
    // Sends the lists that changed to whoever has not seen them. The dispatcher calls it after
    // each command, so that the lists keep their place in each client's stream; what happens
    // outside a command (departures, a game's end) is sent on a later pass of the event loop,
    // once for a whole burst. To thousands it goes a slice per pass.
    void EnviarPendentes();

private:
    // What a person was last sent of each list, by version.
    struct Visto
    {
        quint64 chegada = 0; // his key in m_conectados
        quint64 salas = 0;
        quint64 jogadores = 0;
    };

    // What the other processes have changed.
    void Remoto(const SaguaoCompartilhado::Vista& vista);
    // Tells the others of the rooms of this process that changed since the last time.
    void PublicarSalas();
    void Levantar(Participante* p, Sala* sala);
    void Fechar(Sala* sala);
    void Sentou(Participante* p, Sala* sala);
    // The lists went stale: one pass soon sends each to whoever has not seen the current one.
    void Agendar();
    const QByteArray& MensagemSalas();
    const QByteArray& MensagemJogadores();
    void EnviarSalas(Participante* p);
    void EnviarJogadores(Participante* p);

    FabricaSala m_fabrica;
    // In order of arrival: "hlInf" lists the first ones. Keyed by a count of arrivals, so that
    // thousands leaving at once is not a scan of the whole list each.
    std::map<quint64, Participante*> m_conectados;
    quint64 m_chegadas = 0;
    QHash<const Participante*, Visto> m_vistos;
    QHash<const Participante*, Sala*> m_salaDe;
    std::vector<std::unique_ptr<Sala>> m_salas;
    // By the room's case-folded name.
    QHash<QString, Sala*> m_porNome;

    QObject m_contexto;
    std::unique_ptr<SaguaoCompartilhado> m_servico;
    // What the others have; their room names case-folded.
    SaguaoCompartilhado::Vista m_remoto;
    QHash<QString, SaguaoCompartilhado::Sala> m_salasRemotas;
    EntradaRemota m_entradaRemota;
    // What the others were told of each room of this process, by case-folded name, and its order.
    struct Publicada
    {
        quint64 ordem;
        SaguaoCompartilhado::Sala sala;
    };
    QHash<QString, Publicada> m_publicadas;
    quint64 m_salasPublicadas = 0;
    bool m_publicar = false;

    // Each list is built once per change and its bytes shared; its version grows only when the
    // bytes differ, so nobody is sent a list he already has.
    QByteArray m_msgSalas, m_msgJogadores;
    quint64 m_versaoSalas = 0, m_versaoJogadores = 0;
    bool m_salasSujas = true, m_jogadoresSujos = true;
    bool m_pendente = false;
    // Where the round of EnviarPendentes goes on (an arrival number; 0: a new round), and the
    // versions of the lists when the round began.
    quint64 m_cursor = 0;
    std::pair<quint64, quint64> m_versoesNaVolta;
    std::pair<quint64, quint64> m_versoesCompletas{~0ULL, ~0ULL}; // of the last round made
    QTimer m_aviso;
    QElapsedTimer m_ultimoAviso;
    QByteArray m_aoSaguao;
    QTimer m_avisoSaguao;
};
