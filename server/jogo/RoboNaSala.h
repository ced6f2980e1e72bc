#pragma once

#include "Participante.h"

// A bot in a seat, as the room sees it: a name in "jgInf" and no picture. It hears nothing; the
// table moves for it.
class RoboNaSala : public Participante
{
public:
    explicit RoboNaSala(int assento) : m_login(QStringLiteral("Robô %1").arg(assento + 1)) {}

    // A space cannot be part of an account's login, so no person can share this name.
    QString Login() const override { return m_login; }
    QByteArray Foto() const override { return {}; }
    void EnviarMensagem(const QByteArray&) override {}

private:
    QString m_login;
};
