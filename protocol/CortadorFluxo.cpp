#include "CortadorFluxo.h"

#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <string>

void CortadorFluxo::Acrescentar(const QByteArray& dados)
{
    if (m_inicio > 0 && m_inicio * 2 >= m_dados.size()) {
        m_dados.remove(0, m_inicio);
        m_inicio = 0;
    }
    m_dados += dados;
}

std::optional<QByteArray> CortadorFluxo::Proxima()
{
    if (Pendentes() < 4)
        return std::nullopt;
    const qint32 tamanho = DecodificarTamanho(QByteArrayView(m_dados).sliced(m_inicio, 4));
    if (tamanho < 4)
        throw ErroProtocolo("Tamanho de mensagem inválido: " + std::to_string(tamanho));
    if (tamanho > m_limite)
        throw ErroProtocolo("Mensagem grande demais: " + std::to_string(tamanho) + " bytes");
    if (Pendentes() < tamanho)
        return std::nullopt;
    QByteArray mensagem = m_dados.mid(m_inicio, tamanho);
    m_inicio += tamanho;
    if (m_inicio == m_dados.size()) {
        m_dados.clear();
        m_inicio = 0;
    }
    return mensagem;
}

void CortadorFluxo::Limpar()
{
    m_dados.clear();
    m_inicio = 0;
}
