#include "FilaSenhas.h"

FilaSenhas::FilaSenhas(int trabalhadores, QObject* parent)
    : QObject(parent), m_maximo(trabalhadores)
{
    m_pool.setMaxThreadCount(trabalhadores);
}

FilaSenhas::~FilaSenhas()
{
    m_pool.waitForDone();
}

void FilaSenhas::Pedir(const QString& chave, std::function<void()> trabalho,
                       std::function<void()> fim, std::function<bool()> dispensar)
{
    auto& fila = m_filas[chave];
    if (fila.empty())
        m_vez.push_back(chave);
    fila.push_back({std::move(trabalho), std::move(fim), std::move(dispensar)});
    ++m_esperando;
    Despachar();
}

void FilaSenhas::Despachar()
{
    // Jobs are handed to the pool only when a worker is free, so the order stays ours.
    while (m_rodando < m_maximo && !m_vez.empty()) {
        const QString chave = m_vez.front();
        m_vez.pop_front();
        auto it = m_filas.find(chave);
        Pedido p = std::move(it->front());
        it->pop_front();
        if (it->empty())
            m_filas.erase(it);
        else
            m_vez.push_back(chave);
        --m_esperando;
        if (p.dispensar && p.dispensar()) {
            p.fim();
            continue;
        }
        ++m_rodando;
        m_pool.start([this, p = std::move(p)] {
            p.trabalho();
            QMetaObject::invokeMethod(
                this,
                [this, fim = p.fim] {
                    --m_rodando;
                    fim();
                    Despachar();
                },
                Qt::QueuedConnection);
        });
    }
}
