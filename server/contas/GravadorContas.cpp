#include "GravadorContas.h"

#include <QMetaObject>
#include <optional>

GravadorContas::GravadorContas(const QString& pasta) : m_pasta(pasta), m_thread([this] { Rodar(); })
{
}

GravadorContas::~GravadorContas()
{
    {
        std::lock_guard trava(m_trava);
        m_parar = true;
    }
    m_sinal.notify_one();
    m_thread.join();
}

void GravadorContas::Criar(const Conta& conta, QObject* contexto, Pronto pronto)
{
    {
        std::lock_guard trava(m_trava);
        m_fila.push_back({conta, contexto, std::move(pronto)});
    }
    m_sinal.notify_one();
}

void GravadorContas::Rodar()
{
    // The connection belongs to this thread: SQLite's handles stay with the thread that opened
    // them. Opened at the first account, once the server has set the file up.
    BancoContas banco;
    std::optional<bool> aberto;
    std::vector<Pedido> grupo;
    for (;;) {
        {
            std::unique_lock trava(m_trava);
            m_sinal.wait(trava, [this] { return m_parar || !m_fila.empty(); });
            if (m_fila.empty())
                return;
            const size_t n = std::min(m_fila.size(), kGrupoMaximo);
            grupo.assign(std::make_move_iterator(m_fila.begin()),
                         std::make_move_iterator(m_fila.begin() + qsizetype(n)));
            m_fila.erase(m_fila.begin(), m_fila.begin() + qsizetype(n));
        }
        if (!aberto) {
            QString erro;
            aberto = banco.Abrir(m_pasta, &erro);
            if (!*aberto)
                qWarning("Banco de contas do gravador: %s", qPrintable(erro));
        }
        QList<Conta> contas;
        contas.reserve(qsizetype(grupo.size()));
        for (const Pedido& p : grupo)
            contas.push_back(p.conta);
        const QList<BancoContas::Criacao> r =
            *aberto ? banco.CriarVarias(contas)
                    : QList<BancoContas::Criacao>(contas.size(), BancoContas::Criacao::Falha);
        for (size_t i = 0; i < grupo.size(); ++i)
            QMetaObject::invokeMethod(
                grupo[i].contexto,
                [pronto = std::move(grupo[i].pronto), c = r[qsizetype(i)]] { pronto(c); },
                Qt::QueuedConnection);
        grupo.clear();
    }
}
