#include "Sala.h"

#include "Participante.h"
#include "FuncoesComuns.h"
#include "Texto.h"

Sala::Sala(const QString& nome, const QByteArray& senha) : m_nome(nome), m_senha(senha) {}

bool Sala::SenhaConfere(const QByteArray& senha) const
{
    return m_senha.isEmpty() || senha == m_senha;
}

int Sala::AssentoDe(const Participante* p) const
{
    for (int i = 0; i < kAssentos; ++i)
        if (m_assentos[size_t(i)] == p)
            return i;
    return -1;
}

int Sala::Pessoas() const
{
    int n = 0;
    for (const Participante* p : m_assentos)
        n += p != nullptr;
    return n;
}

int Sala::Sentar(Participante* p)
{
    for (int i = 0; i < kAssentos; ++i) {
        if (!m_assentos[size_t(i)]) {
            m_assentos[size_t(i)] = p;
            return i;
        }
    }
    return -1;
}

void Sala::Levantar(Participante* p)
{
    const int i = AssentoDe(p);
    if (i < 0)
        return;
    m_assentos[size_t(i)] = nullptr;
    if (i != 0)
        return;
    for (int j = 1; j < kAssentos; ++j) {
        if (m_assentos[size_t(j)]) {
            std::swap(m_assentos[0], m_assentos[size_t(j)]);
            return;
        }
    }
}

void Sala::Trocar(int a, int b)
{
    std::swap(m_assentos.at(size_t(a)), m_assentos.at(size_t(b)));
}

QString Sala::TextoJogadores() const
{
    QString texto = QStringLiteral("%1/%2").arg(Pessoas()).arg(kAssentos);
    if (EmJogo())
        texto += QStringLiteral(" - em jogo");
    return texto;
}

QList<QByteArray> Sala::InfoAssentos() const
{
    QList<QByteArray> argumentos;
    for (const Participante* p : m_assentos) {
        argumentos << (p ? Texto::ParaBytes(p->Login()) : QByteArray());
        argumentos << (p ? p->Foto() : QByteArray());
    }
    return argumentos;
}

void Sala::EnviarATodos(QByteArrayView comando, const QList<QByteArray>& argumentos) const
{
    const QByteArray mensagem = MontarMensagem(comando, argumentos);
    for (Participante* p : m_assentos)
        if (p)
            p->EnviarMensagem(mensagem);
}

void Sala::EnviarInfoAssentos() const
{
    EnviarATodos("jgInf", InfoAssentos());
}
