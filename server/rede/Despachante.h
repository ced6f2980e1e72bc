#pragma once

#include "Configuracao.h"
#include "FilaSenhas.h"
#include "GravadorContas.h"
#include "HashSenha.h"
#include "MensagemRecebida.h"
#include "Presenca.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

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

    Despachante(const Configuracao& configuracao, Lobby& lobby, QObject* parent = nullptr);
    ~Despachante() override;

    void Registrar(Sessao* sessao);
    // The connection is gone: the account is free again and the lobby lets him go.
    void Remover(Sessao* sessao);

    void Tratar(Sessao& sessao, const MensagemRecebida& m);

    // A command for logged-in sessions handled elsewhere (the game's commands).
    void AdicionarComando(const QByteArray& comando, Comando tratador);

    // Blocks until every password job has finished; their results are then posted to this
    // thread's event queue.
    const QHash<quint64, Sessao*>& Sessoes() const { return m_sessoes; }

    void AguardarTrabalhos() { m_fila.Aguardar(); }
    // This process' name in the service (its lease); empty when it is the only one.
    QString Processo() const { return m_presenca->Processo(); }
    qsizetype SenhasEsperando() const { return m_fila.Esperando(); }

private:
    void PedirVersao(Sessao& s);
    void NovaConta(Sessao& s, const MensagemRecebida& m);
    void Entrar(Sessao& s, const MensagemRecebida& m);
    // A login's lookup and password check, done on a worker.
    struct Verificacao
    {
        bool indisponivel = false;
        bool existe = false;
        bool confere = false;
        Conta conta;
    };
    void Verificado(quint64 id, const Verificacao& v, const QString& chaveFalhas);
    void Admitir(Sessao& s, const Conta& conta, Presenca::Reivindicacao r);
    void NovaImagem(Sessao& s, const MensagemRecebida& m);
    void NovaSenha(Sessao& s, const MensagemRecebida& m);
    void TratarLogada(Sessao& s, const MensagemRecebida& m);
    // "rlEnt" from another process, which holds the player's login and relays him to a room of
    // this one.
    void Retransmitido(Sessao& s, const MensagemRecebida& m);

    // Runs trabalho on a worker thread with the session's input held, then fim on this thread,
    // with the session or with null when it is gone meanwhile. chave: whose line it waits in.
    template <typename R>
    void EmSegundoPlano(Sessao& s, const QString& chave, std::function<R()> trabalho,
                        std::function<void(Sessao*, const R&)> fim,
                        std::function<bool()> dispensar = {});
    // Wrong passwords for one login from one address: after a few, each further try waits longer
    // and is refused without a check meanwhile.
    void Falhou(const QString& chave);
    qint64 Castigo(const QString& chave) const;

    const Configuracao& m_configuracao;
    Lobby& m_lobby;
    HashSenha m_hash;
    // An unknown login is checked against this, so that it costs what a wrong password costs and
    // the answer's timing does not tell who has an account.
    QByteArray m_hashFicticio;
    struct Falhas
    {
        int vezes = 0;
        qint64 ate = 0;
    };
    QHash<QString, Falhas> m_falhas;
    QElapsedTimer m_relogio;
    QHash<quint64, Sessao*> m_sessoes;
    // Who holds each login here; m_presenca, whether this process holds it in the service.
    QHash<QString, Sessao*> m_logadas;
    std::unique_ptr<Presenca> m_presenca;
    QHash<QByteArray, Comando> m_comandos;
    GravadorContas m_gravador;
    // Last, so that it is destroyed first and waits for every job still running.
    FilaSenhas m_fila;
};
