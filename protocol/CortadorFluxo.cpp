#include "CortadorFluxo.h"

#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <string>

void CortadorFluxo::Acrescentar(const QByteArray& dados)
{
    if (m_inicio == m_dados.size()) {
        // Everything was handed out: the new bytes are taken as they are, shared, not copied.
        m_dados = dados;
        m_inicio = 0;
        return;
    }
    if (m_inicio > 0 && m_inicio * 2 >= m_dados.size()) {
        m_dados.remove(0, m_inicio);
        m_inicio = 0;
    }
    m_dados += dados;
}

std::optional<QByteArrayView> CortadorFluxo::ProximaVista()
{
    if (Pendentes() < 4)
        return std::nullopt;
    const QByteArrayView pendentes = QByteArrayView(m_dados).sliced(m_inicio);
    const qint32 tamanho = DecodificarTamanho(pendentes.first(4));
    if (tamanho < 4)
        throw ErroProtocolo("Tamanho de mensagem inválido: " + std::to_string(tamanho));
    if (tamanho > m_limite)
        throw ErroProtocolo("Mensagem grande demais: " + std::to_string(tamanho) + " bytes");
    if (pendentes.size() < tamanho)
        return std::nullopt;
    // The buffer is left as it is (even when all of it is handed out) so that the view stays
    // valid; the next Acrescentar drops what was consumed.
    m_inicio += tamanho;
    return pendentes.first(tamanho);
}

std::optional<QByteArray> CortadorFluxo::Proxima()
{
    const std::optional<QByteArrayView> vista = ProximaVista();
    if (!vista)
        return std::nullopt;
    QByteArray mensagem = vista->toByteArray();
    // The caller has its own copy, so nothing points into the buffer: once all of it is handed
    // out it is freed, or every idle connection of a server would keep its last read (16 KB).
    if (Pendentes() == 0)
        Limpar();
    return mensagem;
}

QByteArray CortadorFluxo::TirarPendentes()
{
    QByteArray resto = m_dados.mid(m_inicio);
    Limpar();
    return resto;
}

void CortadorFluxo::Limpar()
{
    m_dados.clear();
    m_inicio = 0;
}
