#include "SaguaoPostgres.h"

#include "ConexaoPostgres.h"

#include <QEventLoop>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QTimer>
#include <QVariant>

namespace {

const QString kCanal = QStringLiteral("saguao");
// As many people as "hlInf" lists.
constexpr qsizetype kJogadoresNaVista = 254;
// A burst of changes of the others is posted to the lobby once, not once per change.
constexpr int kIntervaloPublicacaoMs = 50;
// The changes of one transaction at most; the rest go in the next.
constexpr size_t kPorTransacao = 1000;

// The kinds of change, first in each notification, followed by the process, a number that makes
// the payload unique (PostgreSQL folds identical payloads of one transaction into one) and the
// fields of the change.
const QString kChegou = QStringLiteral("J+");
const QString kPartiu = QStringLiteral("J-");
const QString kSala = QStringLiteral("S+");
const QString kFechou = QStringLiteral("S-");
const QString kConversa = QStringLiteral("C");
const QString kSaiu = QStringLiteral("P-");

QString Bool(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

SaguaoPostgres::SaguaoPostgres(const QString& uri, const QString& processo,
                               std::chrono::seconds validade, const QString& endereco)
    : m_uri(uri), m_processo(processo), m_endereco(endereco), m_validade(validade),
      m_trabalho(new QObject), m_thread(QThread::create([this] { Rodar(); }))
{
    m_trabalho->moveToThread(m_thread);
    m_thread->start();
}

SaguaoPostgres::~SaguaoPostgres()
{
    // Ends the thread's event loop, also one that has not begun yet.
    m_thread->exit();
    m_thread->wait();
    delete m_thread;
    delete m_trabalho;
}

void SaguaoPostgres::Chegou(const QString& chave, const QString& login, quint64 ordem)
{
    Pedir({kChegou, chave, QString::number(ordem), login});
}

void SaguaoPostgres::Partiu(const QString& chave)
{
    Pedir({kPartiu, chave});
}

void SaguaoPostgres::SalaMudou(const QString& chave, quint64 ordem, const Sala& sala)
{
    Pedir({kSala, chave, QString::number(ordem), sala.nome, sala.jogadores, Bool(sala.senha),
           Bool(sala.cheia), m_endereco});
}

void SaguaoPostgres::SalaFechou(const QString& chave)
{
    Pedir({kFechou, chave});
}

void SaguaoPostgres::Conversou(const QString& login, const QString& texto)
{
    Pedir({kConversa, login, texto});
}

void SaguaoPostgres::Pedir(Pedido pedido)
{
    bool primeiro;
    {
        std::lock_guard trava(m_trava);
        primeiro = m_fila.empty();
        m_fila.push_back(std::move(pedido));
    }
    // One pass of the thread takes whatever has gathered by then.
    if (primeiro)
        QMetaObject::invokeMethod(
            m_trabalho, [this] { Escrever(); }, Qt::QueuedConnection);
}

void SaguaoPostgres::Rodar()
{
    ConexaoPostgres banco(m_uri);
    m_banco = &banco;
    QTimer publicacao, nova, conferencia;
    m_publicacao = &publicacao;
    m_nova = &nova;
    publicacao.setSingleShot(true);
    publicacao.setInterval(kIntervaloPublicacaoMs);
    QObject::connect(&publicacao, &QTimer::timeout, [this] { Publicar(); });
    // A process this one had not heard of: the lists are read again soon, with its rows.
    nova.setSingleShot(true);
    nova.setInterval(0);
    QObject::connect(&nova, &QTimer::timeout, [this] { Conferir(); });
    // Leases are looked at as often as they are renewed.
    conferencia.start(std::chrono::duration_cast<std::chrono::milliseconds>(m_validade) / 3);
    QObject::connect(&conferencia, &QTimer::timeout, [this] { Conferir(); });
    Conferir();
    QEventLoop laco;
    laco.exec();
    // Stopping cleanly: the others forget this process' rooms and people at once (its rows go
    // with its lease).
    if (banco.Banco().isOpen())
        banco.Executar(
            "SELECT pg_notify(?, ?)",
            {kCanal, QStringList{kSaiu, m_processo, QString::number(++m_sequencia)}.join(u'\n')},
            false);
    m_banco = nullptr;
}

void SaguaoPostgres::Escrever()
{
    std::vector<Pedido> lote;
    {
        std::lock_guard trava(m_trava);
        if (m_fila.size() <= kPorTransacao) {
            lote.swap(m_fila);
        } else {
            lote.assign(m_fila.begin(), m_fila.begin() + kPorTransacao);
            m_fila.erase(m_fila.begin(), m_fila.begin() + kPorTransacao);
            QMetaObject::invokeMethod(
                m_trabalho, [this] { Escrever(); }, Qt::QueuedConnection);
        }
    }
    if (lote.empty())
        return;
    ConexaoPostgres& b = *m_banco;
    bool ok = b.Comecar() &&
              // The rows hang on this process' lease (and go with it); it is there once a login
              // was claimed, this only makes sure of it.
              b.Executar("INSERT INTO processos (id, validade) VALUES (?, now())"
                         " ON CONFLICT (id) DO NOTHING",
                         {m_processo}, false);
    for (const Pedido& p : lote) {
        if (!ok)
            break;
        const QString& tipo = p[0];
        if (tipo == kChegou)
            ok = b.Executar("INSERT INTO saguao (processo, chave, ordem, login) VALUES (?, ?, ?, ?)"
                            " ON CONFLICT (processo, chave) DO UPDATE"
                            " SET ordem = EXCLUDED.ordem, login = EXCLUDED.login",
                            {m_processo, p[1], p[2].toLongLong(), p[3]}, false);
        else if (tipo == kPartiu)
            ok = b.Executar("DELETE FROM saguao WHERE processo = ? AND chave = ?",
                            {m_processo, p[1]}, false);
        else if (tipo == kSala)
            ok = b.Executar(
                "INSERT INTO salas (processo, chave, ordem, nome, jogadores, senha,"
                " cheia, endereco) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"
                " ON CONFLICT (processo, chave) DO UPDATE"
                " SET ordem = EXCLUDED.ordem, nome = EXCLUDED.nome,"
                " jogadores = EXCLUDED.jogadores, senha = EXCLUDED.senha,"
                " cheia = EXCLUDED.cheia, endereco = EXCLUDED.endereco",
                {m_processo, p[1], p[2].toLongLong(), p[3], p[4], p[5] == u'1', p[6] == u'1', p[7]},
                false);
        else if (tipo == kFechou)
            ok = b.Executar("DELETE FROM salas WHERE processo = ? AND chave = ?",
                            {m_processo, p[1]}, false);
        QStringList campos{tipo, m_processo, QString::number(++m_sequencia)};
        campos.append(p.mid(1));
        ok = ok && b.Executar("SELECT pg_notify(?, ?)", {kCanal, campos.join(u'\n')}, false);
    }
    if (ok && !b.Banco().commit()) {
        qWarning("Saguão no banco: falha no commit: %s", qPrintable(b.Banco().lastError().text()));
        ok = false;
    }
    if (!ok) {
        // Nothing of it happened: tried again in a second, in the same order.
        b.Banco().rollback();
        b.Descartar();
        {
            std::lock_guard trava(m_trava);
            m_fila.insert(m_fila.begin(), lote.begin(), lote.end());
        }
        QTimer::singleShot(1000, m_trabalho, [this] { Escrever(); });
    }
    // A connection opened again listens again.
    if (!b.Banco().isOpen() || !b.Banco().driver()->subscribedToNotifications().contains(kCanal))
        m_nova->start();
}

void SaguaoPostgres::Conferir()
{
    ConexaoPostgres& b = *m_banco;
    if (!b.Abrir())
        return;
    QSqlDriver* driver = b.Banco().driver();
    const bool ouvia = driver->subscribedToNotifications().contains(kCanal);
    if (!ouvia) {
        if (m_driverOuvido != driver) {
            m_driverOuvido = driver;
            QObject::connect(driver, &QSqlDriver::notification, m_trabalho,
                             [this](const QString& canal, QSqlDriver::NotificationSource,
                                    const QVariant& payload) {
                                 if (canal == kCanal)
                                     Recebida(payload.toString());
                             });
        }
        if (!driver->subscribeToNotification(kCanal)) {
            qWarning("Saguão no banco: não foi possível ouvir as mudanças: %s",
                     qPrintable(driver->lastError().text()));
            b.Descartar();
            return;
        }
    }
    QSqlQuery* q = b.Executar("SELECT id FROM processos WHERE validade > now() AND id <> ?",
                              {m_processo}, false);
    if (!q)
        return;
    QSet<QString> vivos;
    while (q->next())
        vivos.insert(q->value(0).toString());
    q->finish();
    // Listening anew, changes may have been missed meanwhile; a process that came or went
    // changes which rows count. Either way everything is read again: the changes heard since
    // listening began are applied after it, in order, and leave the same copy.
    if (!ouvia || vivos != m_vivos) {
        m_vivos = vivos;
        if (!Ler())
            m_vivos.clear();
    }
}

bool SaguaoPostgres::Ler()
{
    ConexaoPostgres& b = *m_banco;
    // One snapshot for both tables (a statement that cannot be prepared, with nothing from
    // outside in it).
    if (!b.Comecar() || !QSqlQuery(b.Banco()).exec(
                            QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"))) {
        b.Descartar();
        return false;
    }
    std::map<Ordem, Sala> salas;
    QHash<Chave, quint64> ordemSala;
    std::map<Ordem, QString> jogadores;
    QHash<Chave, quint64> ordemJogador;
    // The rows of the other live processes, each told with its process, key and order.
    const auto deOutros = [&](const char* sql, const auto& linha) {
        QSqlQuery* q = b.Executar(sql, {m_processo}, false);
        if (!q)
            return false;
        while (q->next()) {
            const QString processo = q->value(0).toString();
            linha(*q, processo, Chave{processo, q->value(1).toString()}, q->value(2).toULongLong());
        }
        q->finish();
        return true;
    };
    const bool lidas = deOutros(
        "SELECT s.processo, s.chave, s.ordem, s.nome, s.jogadores, s.senha, s.cheia, s.endereco"
        " FROM salas s JOIN processos p ON p.id = s.processo"
        " WHERE p.validade > now() AND s.processo <> ?",
        [&](const QSqlQuery& q, const QString& processo, const Chave& chave, quint64 ordem) {
            salas[{processo, ordem}] = {q.value(3).toString(), q.value(4).toString(),
                                        q.value(5).toBool(), q.value(6).toBool(),
                                        q.value(7).toString()};
            ordemSala.insert(chave, ordem);
        });
    if (!lidas || !deOutros("SELECT j.processo, j.chave, j.ordem, j.login"
                            " FROM saguao j JOIN processos p ON p.id = j.processo"
                            " WHERE p.validade > now() AND j.processo <> ?",
                            [&](const QSqlQuery& q, const QString& processo, const Chave& chave,
                                quint64 ordem) {
                                jogadores[{processo, ordem}] = q.value(3).toString();
                                ordemJogador.insert(chave, ordem);
                            })) {
        b.Descartar();
        return false;
    }
    b.Banco().commit();
    m_salas.swap(salas);
    m_ordemSala.swap(ordemSala);
    m_jogadores.swap(jogadores);
    m_ordemJogador.swap(ordemJogador);
    if (!m_publicacao->isActive())
        m_publicacao->start();
    return true;
}

void SaguaoPostgres::Recebida(const QString& payload)
{
    const QStringList campos = payload.split(u'\n');
    if (campos.size() < 3 || campos[1] == m_processo)
        return;
    const QString& tipo = campos[0];
    const QString& processo = campos[1];
    if (tipo == kConversa && campos.size() >= 5) {
        // The text is the rest: a line break in it would come to no harm.
        if (m_conversou)
            QMetaObject::invokeMethod(
                m_contexto,
                [f = m_conversou, login = campos[3], texto = campos.mid(4).join(u'\n')] {
                    f(login, texto);
                },
                Qt::QueuedConnection);
        return;
    }
    if (!m_vivos.contains(processo) && tipo != kSaiu)
        m_nova->start();
    if (tipo == kChegou && campos.size() >= 6) {
        const quint64 ordem = campos[4].toULongLong();
        const Chave chave{processo, campos[3]};
        if (const auto antiga = m_ordemJogador.constFind(chave); antiga != m_ordemJogador.cend())
            m_jogadores.erase({processo, *antiga});
        m_jogadores[{processo, ordem}] = campos[5];
        m_ordemJogador.insert(chave, ordem);
    } else if (tipo == kPartiu && campos.size() >= 4) {
        if (const auto ordem = m_ordemJogador.take({processo, campos[3]}))
            m_jogadores.erase({processo, ordem});
    } else if (tipo == kSala && campos.size() >= 10) {
        const quint64 ordem = campos[4].toULongLong();
        const Chave chave{processo, campos[3]};
        if (const auto antiga = m_ordemSala.constFind(chave); antiga != m_ordemSala.cend())
            m_salas.erase({processo, *antiga});
        m_salas[{processo, ordem}] = {campos[5], campos[6], campos[7] == u'1', campos[8] == u'1',
                                      campos[9]};
        m_ordemSala.insert(chave, ordem);
    } else if (tipo == kFechou && campos.size() >= 4) {
        if (const auto ordem = m_ordemSala.take({processo, campos[3]}))
            m_salas.erase({processo, ordem});
    } else if (tipo == kSaiu) {
        m_vivos.remove(processo);
        std::erase_if(m_salas, [&](const auto& s) { return s.first.first == processo; });
        m_ordemSala.removeIf([&](const auto& s) { return s.key().first == processo; });
        std::erase_if(m_jogadores, [&](const auto& j) { return j.first.first == processo; });
        m_ordemJogador.removeIf([&](const auto& j) { return j.key().first == processo; });
    } else {
        return;
    }
    if (!m_publicacao->isActive())
        m_publicacao->start();
}

void SaguaoPostgres::Publicar()
{
    if (!m_mudou)
        return;
    Vista v;
    v.salas.reserve(qsizetype(m_salas.size()));
    for (const auto& [ordem, sala] : m_salas)
        v.salas << sala;
    for (auto it = m_jogadores.begin();
         it != m_jogadores.end() && v.jogadores.size() < kJogadoresNaVista; ++it)
        v.jogadores << it->second;
    QMetaObject::invokeMethod(
        m_contexto, [f = m_mudou, v = std::move(v)] { f(v); }, Qt::QueuedConnection);
}
