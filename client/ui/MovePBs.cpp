#include "MovePBs.h"

#include <QWidget>

#include <algorithm>

MovePBs::MovePBs(QWidget* janela)
{
    m_timer = new QTimer(janela);
    m_timer->setObjectName(QStringLiteral("MovePBsTimer"));
    m_timer->setInterval(30);
    connect(m_timer, &QTimer::timeout, this, &MovePBs::Tick);
}

MovePBs::~MovePBs()
{
    delete m_timer.data();
}

void MovePBs::Mover(CaixaFigura* PictureBox, qint32 LeftFinal, qint32 TopFinal, qint16 Velocidade,
                    const QString& Grupo, const QString& Aguardar)
{
    m_lista.push_back(std::make_unique<MovePB>());
    MovePB& m = *m_lista.back();
    m.Criador = this;
    m.Aguardar = Aguardar;
    m.Grupo = Grupo;
    m.Index = qint32(m_lista.size());
    m.Iniciar(PictureBox, LeftFinal, TopFinal, Velocidade);
    // The new move is in the list already, so a move waiting for its own group counts itself.
    if (Aguardar.isEmpty() || Count(Aguardar) == 0) {
        m.Mover();
        if (m_timer)
            m_timer->start();
    }
}

qint32 MovePBs::Count(const QString& Grupo) const
{
    if (Grupo.isEmpty())
        return qint32(m_lista.size());
    qint32 n = 0;
    for (const auto& m : m_lista)
        n += m->Grupo == Grupo;
    return n;
}

MovePB& MovePBs::Item(qint32 indice)
{
    return *m_lista.at(size_t(indice - 1));
}

void MovePBs::Remove(qint32 indice)
{
    if (indice < 1 || size_t(indice) > m_lista.size())
        return;
    m_lista.erase(m_lista.begin() + (indice - 1));
    Renumerar();
    if (m_lista.empty() && m_timer)
        m_timer->stop();
}

void MovePBs::Concluido(MovePB& movimento)
{
    // Normally the move sits at its Index; look for it if a Remove left the numbers behind.
    auto it = m_lista.begin();
    const size_t i = size_t(movimento.Index - 1);
    if (movimento.Index >= 1 && i < m_lista.size() && m_lista[i].get() == &movimento)
        it += qsizetype(i);
    else
        it = std::find_if(m_lista.begin(), m_lista.end(),
                          [&](const auto& m) { return m.get() == &movimento; });
    if (it == m_lista.end())
        return;
    const QString grupo = movimento.Grupo;
    m_terminados.push_back(std::move(*it));
    m_lista.erase(it);

    for (size_t k = 0; k < m_lista.size(); ++k) {
        MovePB& e = *m_lista[k];
        if (e.Estado == 1 && (e.Aguardar == grupo || Count(e.Aguardar) == 0)) {
            e.Mover();
            if (m_timer)
                m_timer->start();
        }
        e.Index = qint32(k + 1);
    }
    if (m_lista.empty() && m_timer)
        m_timer->stop();
    emit MovimentoConcluido(grupo);
}

void MovePBs::Tick()
{
    // A move that ends is taken out at once, so the entry that followed it takes its place and is
    // visited next: a waiting move released by that end takes its first step in this same tick.
    for (size_t i = 0; i < m_lista.size();) {
        MovePB* m = m_lista[i].get();
        if (m->Estado == 2)
            m->Timer();
        if (i < m_lista.size() && m_lista[i].get() == m)
            ++i;
    }
    m_terminados.clear();
    if (m_lista.empty() && m_timer)
        m_timer->stop();
}

void MovePBs::Renumerar()
{
    for (size_t k = 0; k < m_lista.size(); ++k)
        m_lista[k]->Index = qint32(k + 1);
}
