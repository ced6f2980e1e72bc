#pragma once

#include "Configuracao.h"
#include "HashSenha.h"
#include "MensagemRecebida.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>
#include <functional>

class BancoContas;
class Lobby;
class Sessao;

// Routes each message of a session by its command: the account commands here, the lobby and room
// commands to the lobby. Before login only "obVer", "nvAcc" and "Login" are taken; anything else
// is ignored. Password hashing runs on worker threads and its result comes back to this thread.
class Despachante : public QObject
{
    Q_OBJECT
public:
    using Comando = std::function<void(Sessao&, const MensagemRecebida&)>;

    Despachante(const Configuracao& configuracao, BancoContas& banco, Lobby& lobby,
                QObject* parent = nullptr);
    ~Despachante() override;

    void Registrar(Sessao* sessao);
    // The connection is gone: the account is free again and the lobby lets him go.
    void Remover(Sessao* sessao);

    void Tratar(Sessao& sessao, const MensagemRecebida& m);

    // A command for logged-in sessions handled elsewhere (the game's commands).
    void AdicionarComando(const QByteArray& comando, Comando tratador);

    // Blocks until every password job has finished; their results are then posted to this
    // thread's event queue.
    void AguardarTrabalhos() { m_trabalhadores.waitForDone(); }

private:
    void PedirVersao(Sessao& s);
    void NovaConta(Sessao& s, const MensagemRecebida& m);
    void Entrar(Sessao& s, const MensagemRecebida& m);
    void NovaImagem(Sessao& s, const MensagemRecebida& m);
    void NovaSenha(Sessao& s, const MensagemRecebida& m);
    void TratarLogada(Sessao& s, const MensagemRecebida& m);

    // Runs trabalho on a worker thread with the session's input held, then fim on this thread,
    // with the session or with null when it is gone meanwhile.
    template <typename R>
    void EmSegundoPlano(Sessao& s, std::function<R()> trabalho,
                        std::function<void(Sessao*, const R&)> fim);

    const Configuracao& m_configuracao;
    BancoContas& m_banco;
    Lobby& m_lobby;
    HashSenha m_hash;
    QHash<quint64, Sessao*> m_sessoes;
    QHash<QString, Sessao*> m_logadas;
    QHash<QByteArray, Comando> m_comandos;
    // Last, so that it is destroyed first and waits for every job still running.
    QThreadPool m_trabalhadores;
};
