// quarpel-carga: load on a quarpel-server over loopback, bounded in count and time.
//
//   quarpel-carga jogos N   [--tempo S]   N rooms of one person and three bots; each person plays a
//                                         card as soon as it is his turn and accepts every call
//   quarpel-carga saguao N  [--tempo S]   N logged-in lobby sessions, chat lines to all of them,
//                                         then all of them disconnect at once
//   quarpel-carga senhas N  [--tempo S]   N connections repeating a wrong password while one
//                                         person logs in now and then
//   quarpel-carga lentos N  [--tempo S]   N logged-in sessions that stop reading and keep asking
//   quarpel-carga rajada-conversa N        N logged-in sessions reading as fast as they can; the
//                                         first 100 send five chat lines each (of the longest
//                                         kind, 70 characters) at once
//   quarpel-carga rajada-salas N           the same, and a third of them create a room and start
//                                         a game at once (the lobby list changes each time)
//
// In both bursts five more sessions stop reading and keep asking: the server must drop them, and
// none of those that read. The run ends when every reader has every chat line or the lobby list a
// new login gets, and the deaf are gone (or at --tempo); it prints the time to deliver and the
// server's peak RSS.
//
// The server: --servidor PATH starts it on a free port (with --atraso-robo 0 --hash-minimo
// --tempo-jogada 60, a data folder from --dados, its log in the data folder); --porta P --pid PID
// attaches to one already running. With --processos 2 (and --banco URI among the server's
// arguments) a second process on the same database takes every other session: in "saguao" a
// chat line said on the first reaches those on both. Every 10 s a line: card round trip p50/p95/p99
// ("Carta" sent to the server's "Carta" for that seat), games/s, the server's RSS and CPU, and the
// worst answer time of a probe connection asking "obVer" every 100 ms (a frozen server shows
// there).
#include "Conexao.h"
#include "Laco.h"
#include "Processo.h"
#include "Sonda.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <time.h>

namespace {

double CpuPropriaMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Opcoes
{
    QString modo;
    int n = 0;
    int tempoS = 60;
    QString servidor;
    QString dados = QDir::tempPath() + QStringLiteral("/quarpel-carga");
    quint16 porta = 0;
    int pid = -1;
    bool hashReal = false;
    int processos = 1;
    QStringList extras;
};

// Steps of a session before it does its job.
enum class Etapa
{
    Versao,
    Cadastro,
    Login,
    Pronto
};

struct Cliente
{
    std::unique_ptr<Conexao> c;
    Etapa etapa = Etapa::Versao;
    QByteArray login, senha;
    qint64 inicio = 0;
    // In a game: cards of this hand already played, a call waiting, when the last card went out.
    std::array<bool, 3> jogadas{};
    bool truco = false;
    bool vez = false;
    qint64 envioCarta = 0;
    // In a burst: stops reading once logged in; chat lines of the burst and when the last came;
    // the last lobby list and when it came.
    bool surdo = false;
    int conversas = 0;
    qint64 conversaEm = 0;
    QByteArray salas;
    qint64 salasEm = 0;
};

class Carga
{
public:
    explicit Carga(const Opcoes& o) : m_o(o) {}

    int Rodar();

private:
    Cliente* Novo(const QByteArray& login, const QByteArray& senha, bool surdo = false);
    void Receber(Cliente& k, const QByteArray& c, const QList<QByteArray>& a);
    void Pronto(Cliente& k);
    void Jogar(Cliente& k);
    void Jogo(Cliente& k, const QByteArray& c, const QList<QByteArray>& a);
    void Enviar(Cliente& k, QByteArrayView c, const QList<QByteArray>& a = {});
    void Linha(bool final = false);
    bool Tique();

    const Opcoes& m_o;
    Processo m_servidor;
    // The second process, with --processos 2.
    Processo m_segundo;
    // "RSS=… MB", of both processes when there are two.
    QByteArray Rss() const;
    Laco m_laco;
    QByteArray m_versao;
    std::vector<std::unique_ptr<Cliente>> m_clientes;
    int m_proximo = 0; // next client to start
    int m_emLogin = 0; // clients between connecting and logged in
    int m_prontos = 0;
    qint64 m_t0 = 0;
    qint64 m_fimLogin = 0;

    // Figures of the current 10 s and of the whole run.
    std::vector<double> m_rtt, m_rttTotal;
    qint64 m_jogos = 0, m_jogosTotal = 0;
    qint64 m_linhaEm = 0;
    double m_cpuAntes = 0;
    double m_cpuLacoAntes = 0, m_cpuLacoMarca = 0;
    qint64 m_rttLaco = 0, m_rttLacoTotal = 0;
    double m_piorSonda = 0;
    qint64 m_recusas = 0;

    std::unique_ptr<Sonda> m_sonda;

    // Lobby: chat lines and the mass departure.
    int m_fase = 0;
    qint64 m_faseEm = 0;
    int m_chatRecebidos = 0;
    QByteArray m_chatTexto;
    qint64 m_chatEnvio = 0;
    double m_chatCpuServidor = 0, m_chatCpuCarga = 0;
    std::vector<double> m_chat;

    // Passwords: the person's login times.
    std::unique_ptr<Cliente> m_legitimo;
    std::vector<double> m_logins;
    int m_legitimoN = 0;
    qint64 m_lentosFechados = 0;

    // Bursts: when it was sent, the server's memory before, the new login that reads the lobby
    // list as it stands, and whether the end was printed.
    bool Rajada() const { return m_o.modo.startsWith(QStringLiteral("rajada-")); }
    bool TiqueRajada(qint64 agora);
    static constexpr int kSurdos = 5;
    static constexpr int kFalantes = 100;
    static constexpr int kLinhasPorFalante = 5;
    qint64 m_rajadaEm = 0;
    double m_rssAntes = 0;
    std::unique_ptr<Cliente> m_conferente;
    QByteArray m_salasFinal;
    qint64 m_quietoDesde = 0;
    int m_comecados = 0;
    qint64 m_servidosEm = 0;
    double m_rssPico = 0;
};

Cliente* Carga::Novo(const QByteArray& login, const QByteArray& senha, bool surdo)
{
    auto k = std::make_unique<Cliente>();
    Cliente* p = k.get();
    p->login = login;
    p->senha = senha;
    p->c =
        std::make_unique<Conexao>(0, [this, p](Conexao&, const QByteArray& c,
                                               const QList<QByteArray>& a) { Receber(*p, c, a); });
    p->surdo = surdo;
    if (m_o.modo == "lentos" || surdo)
        p->c->bufferRecepcao = 4096;
    // Every other session on the second process, when there is one.
    const bool segundo = m_o.processos > 1 && m_clientes.size() % 2 == 1;
    if (!p->c->Conectar(segundo ? m_segundo.Porta() : m_servidor.Porta())) {
        std::fprintf(stderr, "sem socket para %s\n", login.constData());
        return nullptr;
    }
    p->inicio = AgoraUs();
    m_laco.Adicionar(p->c.get());
    Enviar(*p, "obVer");
    m_clientes.push_back(std::move(k));
    return p;
}

void Carga::Enviar(Cliente& k, QByteArrayView c, const QList<QByteArray>& a)
{
    const bool antes = k.c->QuerGravar();
    k.c->Enviar(c, a);
    if (k.c->QuerGravar() != antes)
        m_laco.Atualizar(k.c.get());
}

void Carga::Receber(Cliente& k, const QByteArray& c, const QList<QByteArray>& a)
{
    switch (k.etapa) {
    case Etapa::Versao:
        if (c != "utVer")
            return;
        m_versao = a.value(0);
        k.etapa = Etapa::Cadastro;
        Enviar(k, "nvAcc",
               {"Carga", k.login, k.senha == "errada" ? "certa1" : k.senha, k.login + "@carga.br"});
        return;
    case Etapa::Cadastro:
        if (c != "okAcc" && c != "erCNC")
            return;
        k.etapa = Etapa::Login;
        k.inicio = AgoraUs();
        Enviar(k, "Login", {k.login, k.senha, m_versao});
        return;
    case Etapa::Login:
        if (c != "Setar" || a.value(0) != "Login")
            return;
        if (a.value(1).startsWith('_')) {
            ++m_recusas;
            if (m_o.modo == "senhas" && &k != m_legitimo.get()) {
                Enviar(k, "Login", {k.login, k.senha, m_versao});
                return;
            }
            std::fprintf(stderr, "login recusado para %s: %s\n", k.login.constData(),
                         a.value(1).constData());
            k.c->Fechar();
            --m_emLogin;
            return;
        }
        k.etapa = Etapa::Pronto;
        --m_emLogin;
        ++m_prontos;
        Pronto(k);
        return;
    case Etapa::Pronto:
        break;
    }
    if (m_o.modo == "jogos") {
        Jogo(k, c, a);
    } else if (Rajada()) {
        if (c == "slMsg" && a.value(0) != "* Mesa") {
            ++k.conversas;
            k.conversaEm = AgoraUs();
        } else if (c == "slInf") {
            k.salas = a.join('\n');
            k.salasEm = AgoraUs();
            m_quietoDesde = k.salasEm;
        } else if (c == "Setar" && a.value(0) == "CriandoSala") {
            Enviar(k, "Start");
        } else if (c == "cmJog") {
            ++m_comecados;
        }
    } else if (m_o.modo == "saguao" && c == "slMsg" && a.value(1) == m_chatTexto &&
               ++m_chatRecebidos == m_o.n) {
        m_chat.push_back(double(AgoraUs() - m_chatEnvio) / 1000.0);
        std::printf("chat: a linha chegou aos %d em %.1f ms (CPU: laço do servidor %.1f ms, "
                    "esta carga %.1f ms)\n",
                    m_o.n, m_chat.back(), m_servidor.CpuLacoMs() - m_chatCpuServidor,
                    CpuPropriaMs() - m_chatCpuCarga);
    }
}

void Carga::Pronto(Cliente& k)
{
    if (m_o.modo == "jogos") {
        Enviar(k, "nvSal", {"s" + k.login, {}});
    } else if (m_o.modo == "senhas") {
        m_logins.push_back(double(AgoraUs() - k.inicio) / 1000.0);
        std::printf("login legítimo em %.1f ms\n", m_logins.back());
        k.c->Fechar();
    } else if (m_o.modo == "lentos" || k.surdo) {
        k.c->lerNada = true;
        m_laco.Atualizar(k.c.get());
    }
}

void Carga::Jogar(Cliente& k)
{
    for (int p = 0; p < 3; ++p) {
        if (!k.jogadas[p]) {
            k.jogadas[p] = true;
            k.vez = false;
            k.envioCarta = AgoraUs();
            Enviar(k, "Carta", {QByteArray::number(p), "False"});
            return;
        }
    }
}

void Carga::Jogo(Cliente& k, const QByteArray& c, const QList<QByteArray>& a)
{
    if (c == "Setar" && a.value(0) == "CriandoSala") {
        if (a.value(1) == "OK")
            Enviar(k, "Start");
        else
            std::fprintf(stderr, "sala recusada: %s\n", a.value(1).constData());
    } else if (c == "cmPrt" || c == "cmM11") {
        k.jogadas = {};
        k.truco = false;
        // The person sits in seat 1, team 0.
        if (c == "cmM11" && a.value(7) == "0")
            Enviar(k, "tcSim");
    } else if (c == "Setar" && a.value(0) == "Vez") {
        k.vez = a.value(1) == k.login;
        if (k.vez && !k.truco)
            Jogar(k);
    } else if (c == "Truco") {
        k.truco = true;
        if (a.value(0) != "0")
            Enviar(k, "tcSim");
    } else if (c == "tcAct") {
        k.truco = false;
        if (k.vez)
            Jogar(k);
    } else if (c == "Carta" && a.value(0) == "0" && k.envioCarta) {
        const double ms = double(AgoraUs() - k.envioCarta) / 1000.0;
        k.envioCarta = 0;
        m_rtt.push_back(ms);
    } else if (c == "jgFim") {
        ++m_jogos;
        Enviar(k, "Start");
    } else if (c == "erCmJ") {
        std::fprintf(stderr, "início recusado: %s\n", a.value(0).constData());
    }
}

void Carga::Linha(bool final)
{
    const qint64 agora = AgoraUs();
    const double s = double(agora - m_linhaEm) / 1e6;
    const double cpu = m_servidor.CpuS();
    const double cpuLaco = m_servidor.CpuLacoMs();
    std::printf("%s t=%5.1fs  prontos=%d  rtt ms p50=%.2f p95=%.2f p99=%.2f (n=%zu)  "
                "jogos/s=%.1f  RSS=%.1f MB  CPU=%.0f%%  laço µs/rtt=%.0f  sonda pior=%.1f ms\n",
                final ? "TOTAL" : "     ", double(agora - m_t0) / 1e6, m_prontos,
                Percentil(final ? m_rttTotal : m_rtt, 50),
                Percentil(final ? m_rttTotal : m_rtt, 95),
                Percentil(final ? m_rttTotal : m_rtt, 99), (final ? m_rttTotal : m_rtt).size(),
                final ? double(m_jogosTotal) / (double(agora - m_t0) / 1e6) : double(m_jogos) / s,
                m_servidor.RssMb(), final ? 0.0 : 100.0 * (cpu - m_cpuAntes) / s,
                final ? m_cpuLacoAntes * 1000.0 / double(std::max<qint64>(m_rttLacoTotal, 1))
                : m_rtt.empty() ? 0.0
                                : (cpuLaco - m_cpuLacoMarca) * 1000.0 / double(m_rtt.size()),
                m_piorSonda);
    std::fflush(stdout);
    if (!final) {
        // The total leaves out the first 10 s with round trips: the logins fall in it.
        if (!m_rttTotal.empty()) {
            m_cpuLacoAntes += cpuLaco - m_cpuLacoMarca;
            m_rttLacoTotal += qint64(m_rtt.size());
        }
        m_cpuLacoMarca = cpuLaco;
        m_rttTotal.insert(m_rttTotal.end(), m_rtt.begin(), m_rtt.end());
        m_rtt.clear();
        m_jogosTotal += m_jogos;
        m_jogos = 0;
        m_cpuAntes = cpu;
        m_piorSonda = 0;
        m_linhaEm = agora;
    }
}

bool Carga::Tique()
{
    const qint64 agora = AgoraUs();
    if (Rajada() && m_fimLogin && TiqueRajada(agora))
        return true;
    if (agora - m_t0 > qint64(m_o.tempoS) * 1'000'000) {
        Linha();
        Linha(true);
        return true;
    }
    m_piorSonda = std::max(m_piorSonda, m_sonda->Pior());
    // New sessions, at most 100 logging in at a time.
    const int emLoginMax = m_o.modo == "senhas" ? m_o.n : 100;
    const int total = m_o.n + (Rajada() ? kSurdos : 0);
    while (m_proximo < total && m_emLogin < emLoginMax) {
        const QByteArray login =
            (m_o.modo == "senhas" ? "alvo01" : "c") +
            (m_o.modo == "senhas" ? QByteArray()
                                  : QByteArray::number(m_proximo).rightJustified(5, '0'));
        if (!Novo(login, m_o.modo == "senhas" ? "errada" : "senha1", m_proximo >= m_o.n))
            break;
        ++m_proximo;
        ++m_emLogin;
    }
    if (!m_fimLogin && m_prontos == total && m_o.modo != "senhas") {
        m_fimLogin = agora;
        std::printf("%d sessões logadas em %.2f s; %s, CPU do servidor até aqui %.1f s\n", m_o.n,
                    double(agora - m_t0) / 1e6, Rss().constData(),
                    m_servidor.CpuS() + (m_o.processos > 1 ? m_segundo.CpuS() : 0.0));
        m_faseEm = agora;
    }
    if (m_o.modo == "saguao" && m_fimLogin) {
        // 2 s to settle, then five chat lines 1 s apart, then everyone leaves at once.
        if (m_fase < 5 && agora - m_faseEm > 2'000'000 && m_chatRecebidos >= 0) {
            if (m_fase > 0 && m_chat.size() < size_t(m_fase))
                return false;
            m_chatTexto = "linha" + QByteArray::number(m_fase);
            m_chatRecebidos = 0;
            m_chatEnvio = agora;
            m_chatCpuServidor = m_servidor.CpuLacoMs();
            m_chatCpuCarga = CpuPropriaMs();
            Enviar(*m_clientes.front(), "slBla", {m_chatTexto});
            ++m_fase;
            m_faseEm = agora - 1'000'000;
        } else if (m_fase == 5 && m_chat.size() == 5 && agora - m_faseEm > 2'000'000) {
            // The chat lines' own wait is not counted as the departure's.
            m_piorSonda = std::max(m_piorSonda, m_sonda->Pior());
            std::printf("antes da saída: %s, sonda pior até aqui=%.1f ms\n", Rss().constData(),
                        m_piorSonda);
            m_piorSonda = 0;
            m_chatCpuServidor = m_servidor.CpuLacoMs();
            for (auto& k : m_clientes)
                k->c->Fechar();
            std::printf("  %zu conexões fechadas por esta carga em %.1f ms\n", m_clientes.size(),
                        double(AgoraUs() - agora) / 1000.0);
            m_fase = 6;
            m_faseEm = agora;
        } else if (m_fase >= 6 && agora - m_faseEm > qint64(m_fase - 5) * 1'000'000) {
            std::printf("  %d s depois da saída: %s, sonda pior=%.1f ms, CPU do laço do "
                        "servidor desde a saída %.0f ms\n",
                        m_fase - 5, Rss().constData(), m_piorSonda,
                        m_servidor.CpuLacoMs() - m_chatCpuServidor);
            m_piorSonda = 0;
            if (++m_fase > 15) {
                Linha(true);
                return true;
            }
        }
    }
    if (m_o.modo == "senhas" && agora - m_t0 > 3'000'000 && !m_legitimo && m_legitimoN < 5) {
        // The person signs up once, then logs in on a fresh connection every 3 s.
        m_legitimo.reset(Novo("pessoa01", "senha1") ? m_clientes.back().release() : nullptr);
        m_clientes.pop_back();
        ++m_legitimoN;
        m_faseEm = agora;
    }
    if (m_legitimo && (!m_legitimo->c->Aberta() || agora - m_faseEm > 20'000'000)) {
        if (m_legitimo->c->Aberta())
            std::printf("login legítimo sem resposta em 20 s\n");
        m_legitimo.reset();
    }
    if (m_o.modo == "lentos") {
        for (auto& k : m_clientes) {
            if (k->etapa != Etapa::Pronto || !k->c->Aberta())
                continue;
            for (int i = 0; i < 2000 && !k->c->QuerGravar(); ++i)
                Enviar(*k, "obVer");
        }
        qint64 fechados = 0;
        for (auto& k : m_clientes)
            fechados += k->etapa == Etapa::Pronto && !k->c->Aberta();
        if (fechados != m_lentosFechados)
            std::printf("  lentos desconectados pelo servidor: %lld\n", (long long)fechados);
        m_lentosFechados = fechados;
    }
    if (agora - m_linhaEm >= 10'000'000)
        Linha();
    return false;
}

namespace {
QByteArray CargaMedia()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().split(' ').mid(0, 3).join(' ') : QByteArray();
}
} // namespace

bool Carga::TiqueRajada(qint64 agora)
{
    const bool conversa = m_o.modo == "rajada-conversa";
    if (!m_rajadaEm) {
        if (agora - m_fimLogin < 2'000'000)
            return false;
        m_rssAntes = m_servidor.RssMb();
        std::printf("rajada: carga média %s\n", CargaMedia().constData());
        m_rajadaEm = m_quietoDesde = agora;
        for (int i = 0; i < m_o.n; ++i) {
            Cliente& k = *m_clientes[size_t(i)];
            if (conversa && i < kFalantes) {
                for (int j = 0; j < kLinhasPorFalante; ++j)
                    Enviar(k, "slBla",
                           {("linha " + QByteArray::number(j) + " de " + k.login + ": ")
                                .leftJustified(70, 'z')});
            } else if (!conversa && i % 3 == 0) {
                Enviar(k, "nvSal", {"s" + k.login, {}});
            }
        }
        return false;
    }
    m_rssPico = std::max(m_rssPico, m_servidor.RssMb());
    // Who reads: all but the deaf, and in a room burst those left in the lobby.
    int leitores = 0, derrubados = 0, prontos = 0, surdosFora = 0;
    qint64 ultima = m_rajadaEm;
    for (size_t i = 0; i < m_clientes.size(); ++i) {
        const Cliente& k = *m_clientes[i];
        if (k.surdo) {
            surdosFora += !k.c->Aberta();
            continue;
        }
        if (!conversa && i % 3 == 0)
            continue;
        ++leitores;
        if (!k.c->Aberta()) {
            ++derrubados;
            continue;
        }
        const bool tem = conversa ? k.conversas == kFalantes * kLinhasPorFalante
                                  : !m_salasFinal.isEmpty() && k.salas == m_salasFinal;
        prontos += tem;
        if (tem)
            ultima = std::max(ultima, conversa ? k.conversaEm : k.salasEm);
    }
    // Once the readers are served, the deaf ask without reading, so that what the server owes
    // them piles up (the kernel alone holds megabytes for each).
    if (prontos + derrubados == leitores)
        for (auto& k : m_clientes)
            if (k->surdo && k->etapa == Etapa::Pronto && k->c->Aberta())
                for (int i = 0; i < 2000 && !k->c->QuerGravar(); ++i)
                    Enviar(*k, "obVer");
    if (prontos + derrubados == leitores && !m_servidosEm)
        m_servidosEm = agora;
    // Once every game has begun (or its creator was dropped) and the lists are quiet for a
    // second, a new login shows the list as it stands.
    int criadoresFora = 0;
    for (int i = 0; i < m_o.n && !conversa; i += 3)
        criadoresFora += !m_clientes[size_t(i)]->c->Aberta();
    if (!conversa && !m_conferente && m_comecados + criadoresFora >= (m_o.n + 2) / 3 &&
        agora - m_quietoDesde > 1'000'000) {
        m_conferente.reset(Novo("conferente", "senha1") ? m_clientes.back().release() : nullptr);
        m_clientes.pop_back();
    }
    if (m_conferente && m_salasFinal.isEmpty() && !m_conferente->salas.isEmpty())
        m_salasFinal = m_conferente->salas;
    const bool fim = prontos + derrubados == leitores && surdosFora == kSurdos;
    if (!fim && agora - m_t0 < qint64(m_o.tempoS) * 1'000'000)
        return false;
    std::printf("%s %d: %d leitores, %d derrubados, %d com %s em %.0f ms; surdos derrubados "
                "%d de %d, %.1f s depois\n",
                qPrintable(m_o.modo), m_o.n, leitores, derrubados, prontos,
                conversa ? "todas as linhas" : "a última lista", double(ultima - m_rajadaEm) / 1e3,
                surdosFora, kSurdos, m_servidosEm ? double(agora - m_servidosEm) / 1e6 : 0.0);
    std::printf("  RSS do servidor: antes %.1f MB, pico na rajada %.1f MB, pico do processo "
                "(VmHWM) %.1f MB; carga média %s\n",
                m_rssAntes, m_rssPico, m_servidor.PicoRssMb(), CargaMedia().constData());
    std::fflush(stdout);
    return true;
}

QByteArray Carga::Rss() const
{
    if (m_o.processos < 2)
        return QByteArray("RSS=") + QByteArray::number(m_servidor.RssMb(), 'f', 1) + " MB";
    return QByteArray("RSS=") + QByteArray::number(m_servidor.RssMb(), 'f', 1) + " + " +
           QByteArray::number(m_segundo.RssMb(), 'f', 1) + " MB";
}

int Carga::Rodar()
{
    if (m_o.pid > 0) {
        m_servidor.Anexar(m_o.pid, m_o.porta);
    } else {
        QDir().mkpath(m_o.dados);
        QStringList args{QStringLiteral("--dados"), m_o.dados, QStringLiteral("--atraso-robo"),
                         QStringLiteral("0")};
        if (!m_o.hashReal)
            args << QStringLiteral("--hash-minimo");
        args << m_o.extras;
        if (!m_servidor.Iniciar(m_o.servidor, args, m_o.dados + QStringLiteral("/servidor.log"))) {
            std::fprintf(stderr, "o servidor não começou\n");
            return 1;
        }
        if (m_o.processos > 1) {
            const QString pasta = m_o.dados + QStringLiteral("/segundo");
            QDir().mkpath(pasta);
            args[1] = pasta;
            if (!m_segundo.Iniciar(m_o.servidor, args, pasta + QStringLiteral("/servidor.log"))) {
                std::fprintf(stderr, "o segundo servidor não começou\n");
                return 1;
            }
            std::printf("segundo servidor pid %d, porta %u\n", m_segundo.Pid(), m_segundo.Porta());
        }
    }
    std::printf("servidor pid %d, porta %u; modo %s, %d, no máximo %d s\n", m_servidor.Pid(),
                m_servidor.Porta(), qPrintable(m_o.modo), m_o.n, m_o.tempoS);
    m_t0 = m_linhaEm = AgoraUs();
    m_cpuAntes = m_servidor.CpuS();
    m_sonda = std::make_unique<Sonda>(m_servidor.Porta());
    m_laco.Rodar([this] { return Tique(); });
    if (!m_chat.empty())
        std::printf("chat p50=%.1f ms pior=%.1f ms\n", Percentil(m_chat, 50),
                    Percentil(m_chat, 100));
    if (!m_logins.empty())
        std::printf("login legítimo p50=%.1f ms pior=%.1f ms (%zu); recusas=%lld\n",
                    Percentil(m_logins, 50), Percentil(m_logins, 100), m_logins.size(),
                    (long long)m_recusas);
    std::fflush(stdout);
    m_clientes.clear();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    Opcoes o;
    int i = 1;
    if (argc < 3) {
        std::fprintf(stderr,
                     "uso: quarpel-carga jogos|saguao|senhas|lentos|rajada-conversa|rajada-salas N "
                     "[--tempo S] "
                     "[--servidor PROGRAMA [--dados PASTA] [--hash-real] [--processos 2]] "
                     "[--porta P --pid PID] [-- argumentos do servidor]\n");
        return 2;
    }
    o.modo = QString::fromLocal8Bit(argv[i++]);
    o.n = std::atoi(argv[i++]);
    for (; i < argc; ++i) {
        const QByteArray a = argv[i];
        const auto valor = [&] {
            return i + 1 < argc ? QString::fromLocal8Bit(argv[++i]) : QString();
        };
        if (a == "--tempo")
            o.tempoS = valor().toInt();
        else if (a == "--servidor")
            o.servidor = valor();
        else if (a == "--dados")
            o.dados = valor();
        else if (a == "--porta")
            o.porta = quint16(valor().toUInt());
        else if (a == "--pid")
            o.pid = valor().toInt();
        else if (a == "--hash-real")
            o.hashReal = true;
        else if (a == "--processos")
            o.processos = std::clamp(valor().toInt(), 1, 2);
        else if (a == "--") {
            while (++i < argc)
                o.extras << QString::fromLocal8Bit(argv[i]);
        }
    }
    rlimit r{};
    getrlimit(RLIMIT_NOFILE, &r);
    r.rlim_cur = r.rlim_max;
    setrlimit(RLIMIT_NOFILE, &r);
    if (o.servidor.isEmpty() && o.pid <= 0) {
        std::fprintf(stderr, "diga --servidor ou --porta e --pid\n");
        return 2;
    }
    Carga carga(o);
    return carga.Rodar();
}
