#include "Sonda.h"

#include "Conexao.h"
#include "Laco.h"

#include <memory>

Sonda::Sonda(quint16 porta) : m_porta(porta), m_linha([this] { Rodar(); }) {}

Sonda::~Sonda()
{
    m_parar = true;
    m_linha.join();
}

void Sonda::Anotar(qint64 esperaUs)
{
    qint64 pior = m_piorUs.load();
    while (esperaUs > pior && !m_piorUs.compare_exchange_weak(pior, esperaUs)) {
    }
}

double Sonda::Pior()
{
    if (const qint64 envio = m_envioUs.load())
        Anotar(AgoraUs() - envio);
    return double(m_piorUs.exchange(0)) / 1000.0;
}

void Sonda::Rodar()
{
    Laco laco;
    std::unique_ptr<Conexao> c;
    qint64 proxima = 0;
    laco.Rodar(
        [&] {
            if (m_parar)
                return true;
            // The server drops connections that never log in; the probe then starts over.
            if (c && !c->Aberta()) {
                c.reset();
                m_envioUs = 0;
            }
            if (!c) {
                c = std::make_unique<Conexao>(
                    0, [this](Conexao&, const QByteArray& comando, const QList<QByteArray>&) {
                        if (comando == "utVer" && m_envioUs)
                            Anotar(AgoraUs() - m_envioUs.exchange(0));
                    });
                if (!c->Conectar(m_porta)) {
                    c.reset();
                    return false;
                }
                laco.Adicionar(c.get());
            }
            const qint64 agora = AgoraUs();
            if (m_envioUs || agora < proxima)
                return false;
            proxima = agora + 100'000;
            m_envioUs = agora;
            c->Enviar("obVer");
            laco.Atualizar(c.get());
            return false;
        },
        10);
}
