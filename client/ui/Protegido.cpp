#include "Protegido.h"

#include "Caixas.h"

#include <exception>

namespace Protegido {

void Executar(const std::function<void()>& acao) noexcept
{
    QString motivo;
    try {
        acao();
        return;
    } catch (const std::exception& erro) {
        motivo = QString::fromUtf8(erro.what());
    } catch (...) {
    }
    try {
        Caixas::Informar(QStringLiteral("Não foi possível concluir a ação.\r\n") + motivo);
    } catch (...) {
        // Not even the box could be shown: the player simply sees nothing happen.
    }
}

} // namespace Protegido
