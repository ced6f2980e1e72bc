#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;

// The chat history, kept exactly as the server's lines made it (a line break is the two
// characters CR LF), so that the rule "keep the last 1000 characters, then add the new line"
// counts what it should. The box shows it; the history lives as the box's child.
class HistoricoChat : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype kMemoria = 1000;

    // The history of a chat box, created with it on first use.
    static HistoricoChat* Da(QPlainTextEdit* caixa);

    // The last 1000 characters of the history, then CR LF, the sender, ": " and the text.
    void Acrescentar(const QString& remetente, const QString& texto);

    const QString& Texto() const { return m_texto; }

private:
    explicit HistoricoChat(QPlainTextEdit* caixa);

    QPlainTextEdit* m_caixa;
    QString m_texto;
    // What the box showed after the last line; another writer of the box shows up as a change.
    QString m_mostrado;
};
