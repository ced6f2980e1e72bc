#include "GravadorContas.h"

#include <QMetaObject>

GravadorContas::GravadorContas(OrigemContas origem)
    : m_origem(std::move(origem)), m_thread([this] { Rodar(); })
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
    // The connection belongs to this thread: Qt's connections stay with the thread that opened
    // them. Opened at the first account, once the server has set the database up, and again
    // after it could not be.
    std::unique_ptr<BancoContas> banco;
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
        if (!banco) {
            QString erro;
            banco = m_origem.Abrir(&erro);
            if (!banco)
                qWarning("Banco de contas do gravador: %s", qPrintable(erro));
        }
        QList<Conta> contas;
        contas.reserve(qsizetype(grupo.size()));
        for (const Pedido& p : grupo)
            contas.push_back(p.conta);
        const QList<BancoContas::Criacao> r =
            banco ? banco->CriarVarias(contas)
                  : QList<BancoContas::Criacao>(contas.size(), BancoContas::Criacao::Indisponivel);
        for (size_t i = 0; i < grupo.size(); ++i)
            QMetaObject::invokeMethod(
                grupo[i].contexto,
                [pronto = std::move(grupo[i].pronto), c = r[qsizetype(i)]] { pronto(c); },
                Qt::QueuedConnection);
        grupo.clear();
    }
}
