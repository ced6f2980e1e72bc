#include "CodecFoto.h"

#include <stdexcept>
#include <string>

namespace Foto {

QImage DecodificarFoto(const QByteArray& bytes)
{
    if (bytes.size() < kBytes)
        throw std::runtime_error("Imagem incompleta: " + std::to_string(bytes.size()) + " de " +
                                 std::to_string(kBytes) + " bytes");
    const QImage vista(reinterpret_cast<const uchar*>(bytes.constData()), kLado, kLado,
                       kBytesPorLinha, QImage::Format_RGB888);
    // The view borrows the argument's bytes; the copy owns its own.
    return vista.convertToFormat(QImage::Format_RGB32);
}

QByteArray CodificarFoto(const QImage& imagem)
{
    const QImage rgb = imagem.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes(kBytes, '\0');
    for (int y = 0; y < kLado; ++y) {
        if (y < rgb.height())
            std::copy_n(reinterpret_cast<const char*>(rgb.constScanLine(y)),
                        std::min(kBytesPorLinha, 3 * rgb.width()),
                        bytes.data() + y * kBytesPorLinha);
    }
    return bytes;
}

QByteArray SemFoto()
{
    return QByteArray(kBytes, ' ');
}

} // namespace Foto
