#include "HistoricoChat.h"

#include <QPlainTextEdit>

HistoricoChat::HistoricoChat(QPlainTextEdit* caixa) : QObject(caixa), m_caixa(caixa)
{
    setObjectName(QStringLiteral("HistoricoChat"));
    m_texto = m_mostrado = caixa->toPlainText();
}

HistoricoChat* HistoricoChat::Da(QPlainTextEdit* caixa)
{
    auto* h = caixa->findChild<HistoricoChat*>(QStringLiteral("HistoricoChat"),
                                               Qt::FindDirectChildrenOnly);
    return h ? h : new HistoricoChat(caixa);
}

void HistoricoChat::Acrescentar(const QString& remetente, const QString& texto)
{
    const QString atual = m_caixa->toPlainText();
    if (atual != m_mostrado)
        m_texto = atual;
    m_texto =
        m_texto.right(kMemoria) + QStringLiteral("\r\n") + remetente + QStringLiteral(": ") + texto;
    m_caixa->setPlainText(m_texto);
    m_mostrado = m_caixa->toPlainText();
}
