#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal on the event loop. The handler only writes one byte
// to a socket pair; the rest happens in the loop.
class SinaisEncerramento : public QObject
{
    Q_OBJECT
public:
    explicit SinaisEncerramento(QObject* parent = nullptr);
    ~SinaisEncerramento() override;

    bool Ativo() const { return m_notificador != nullptr; }

signals:
    void encerrar(int sinal);

private:
    void Ler();

    QSocketNotifier* m_notificador = nullptr;
};
