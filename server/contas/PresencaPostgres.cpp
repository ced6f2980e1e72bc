#include "PresencaPostgres.h"

#include "ConexaoPostgres.h"

#include <QMetaObject>
#include <QUuid>
#include <QVariant>

PresencaPostgres::PresencaPostgres(const QString& uri, std::chrono::seconds validade)
    : m_uri(uri), m_processo(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      m_validade(validade), m_thread([this] { Rodar(); })
{
}

PresencaPostgres::~PresencaPostgres()
{
    {
        std::lock_guard trava(m_trava);
        m_parar = true;
    }
    m_sinal.notify_one();
    m_thread.join();
}

void PresencaPostgres::Reivindicar(const QString& chave, QObject* contexto, Pronto pronto)
{
    {
        std::lock_guard trava(m_trava);
        m_fila.push_back({chave, contexto, std::move(pronto)});
    }
    m_sinal.notify_one();
}

void PresencaPostgres::Liberar(const QString& chave)
{
    {
        std::lock_guard trava(m_trava);
        m_fila.push_back({chave, nullptr, {}});
    }
    m_sinal.notify_one();
}

bool PresencaPostgres::Renovar(ConexaoPostgres& banco)
{
    // Also forgets processes dead for long, and with them the logins they held.
    return banco.Executar("INSERT INTO processos (id, validade)"
                          " VALUES (?, now() + make_interval(secs => ?))"
                          " ON CONFLICT (id) DO UPDATE SET validade = EXCLUDED.validade",
                          {m_processo, qint64(m_validade.count())}, true) &&
           banco.Executar("DELETE FROM processos WHERE validade < now() - interval '1 hour'", {},
                          true);
}

Presenca::Reivindicacao PresencaPostgres::Tomar(ConexaoPostgres& banco, const QString& chave)
{
    // This process may take back its own row: which of its sessions holds the login is for its
    // own table to say. Repeating it does no harm, so a claim whose answer was lost is repeated.
    const QSqlQuery* q = banco.Executar(
        "INSERT INTO presencas (chave, processo) VALUES (?, ?)"
        " ON CONFLICT (chave) DO UPDATE SET processo = EXCLUDED.processo"
        " WHERE presencas.processo = EXCLUDED.processo OR NOT EXISTS ("
        "  SELECT 1 FROM processos p WHERE p.id = presencas.processo AND p.validade > now())",
        {chave, m_processo}, true);
    if (!q)
        return Reivindicacao::Falha;
    return q->numRowsAffected() == 1 ? Reivindicacao::Obtida : Reivindicacao::Ocupada;
}

bool PresencaPostgres::Soltar(ConexaoPostgres& banco, const QString& chave)
{
    return banco.Executar("DELETE FROM presencas WHERE chave = ? AND processo = ?",
                          {chave, m_processo}, true);
}

bool PresencaPostgres::Reconferir(ConexaoPostgres& banco, QSet<QString>& tidas)
{
    for (auto it = tidas.begin(); it != tidas.end();) {
        const Reivindicacao r = Tomar(banco, *it);
        if (r == Reivindicacao::Falha)
            return false;
        if (r == Reivindicacao::Obtida) {
            ++it;
            continue;
        }
        if (m_perdida)
            QMetaObject::invokeMethod(
                m_contextoPerdida, [perdida = m_perdida, chave = *it] { perdida(chave); },
                Qt::QueuedConnection);
        it = tidas.erase(it);
    }
    return true;
}

void PresencaPostgres::Rodar()
{
    using Relogio = std::chrono::steady_clock;
    ConexaoPostgres banco(m_uri);
    // Releases the database did not take: tried again before anything else, or dropped when the
    // login is claimed again here meanwhile (the claim takes the row as it is).
    QSet<QString> aLiberar;
    // What this process holds, and until when its lease surely runs (counted from before the
    // renewal was sent).
    QSet<QString> tidas;
    Relogio::time_point vence = Relogio::now();
    bool reconferir = false;
    bool registrado = false;
    bool algumaVez = false;
    const auto periodo = std::chrono::duration_cast<std::chrono::milliseconds>(m_validade) / 3;
    // The first lease is taken with the first claim, or a period after the start.
    Relogio::time_point renovar = Relogio::now() + periodo;
    std::vector<Pedido> lote;
    for (;;) {
        {
            std::unique_lock trava(m_trava);
            m_sinal.wait_until(trava, renovar, [this] { return m_parar || !m_fila.empty(); });
            if (m_parar && m_fila.empty())
                break;
            lote.swap(m_fila);
        }
        const bool prazo = Relogio::now() >= renovar;
        if (prazo || (!registrado && !lote.empty())) {
            const Relogio::time_point envio = Relogio::now();
            registrado = Renovar(banco);
            if (registrado) {
                algumaVez = true;
                reconferir = reconferir || envio >= vence;
                vence = envio + m_validade;
            }
            if (registrado && reconferir)
                reconferir = !Reconferir(banco, tidas);
            // After a failure, again in a second: the lease may be running out.
            renovar = Relogio::now() + (registrado ? periodo : std::chrono::milliseconds(1000));
        }
        for (auto it = aLiberar.begin(); it != aLiberar.end() && Soltar(banco, *it);)
            it = aLiberar.erase(it);
        for (Pedido& p : lote) {
            if (!p.pronto) {
                tidas.remove(p.chave);
                if (!Soltar(banco, p.chave))
                    aLiberar.insert(p.chave);
                continue;
            }
            aLiberar.remove(p.chave);
            const Reivindicacao r = registrado ? Tomar(banco, p.chave) : Reivindicacao::Falha;
            if (r == Reivindicacao::Obtida)
                tidas.insert(p.chave);
            QMetaObject::invokeMethod(
                p.contexto, [pronto = std::move(p.pronto), r] { pronto(r); }, Qt::QueuedConnection);
        }
        lote.clear();
    }
    // Stopping cleanly: every login of this process is free at once.
    if (algumaVez)
        banco.Executar("DELETE FROM processos WHERE id = ?", {m_processo}, false);
}
