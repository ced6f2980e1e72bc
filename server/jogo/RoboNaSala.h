#pragma once

#include "Participante.h"
#include "RostoRobo.h"

// A bot in a seat, as the room sees it: a name and a face in "jgInf", both after its seat. It
// hears nothing; the table moves for it.
class RoboNaSala : public Participante
{
public:
    explicit RoboNaSala(int assento)
        : m_login(QStringLiteral("Robô %1").arg(assento + 1)), m_assento(assento)
    {
    }

    // A space cannot be part of an account's login, so no person can share this name.
    QString Login() const override { return m_login; }
    QByteArray Foto() const override { return RostoRobo::Foto(m_assento); }
    void EnviarMensagem(const QByteArray&) override {}

private:
    QString m_login;
    int m_assento;
};
