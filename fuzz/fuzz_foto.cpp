// Player-picture bytes as any server may send them: fewer than a picture's bytes are refused with
// an error, a whole picture decodes to 51 x 51 and encodes back to the same bytes.

#include "Foto.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    QImage imagem;
    try {
        imagem = Foto::DecodificarFoto(bytes);
    } catch (const std::runtime_error&) {
        if (bytes.size() >= Foto::kBytes)
            std::abort(); // a whole picture refused
        return 0;
    }
    if (bytes.size() < Foto::kBytes || imagem.size() != QSize(Foto::kLado, Foto::kLado))
        std::abort();
    if (Foto::CodificarFoto(imagem) != bytes.first(Foto::kBytes))
        std::abort();
    // The preview of any picture is 51 x 51 too.
    if (Foto::Recortar(imagem).size() != QSize(Foto::kLado, Foto::kLado))
        std::abort();
    return 0;
}
