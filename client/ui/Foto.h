#pragma once

#include <QByteArray>
#include <QImage>

// The player picture as it travels: 51 rows of 51 pixels from the top, red, green and blue bytes,
// 153 bytes a row, no header. Decoding builds the image straight from the bytes, so nothing else
// runs in the middle of it and two decodings never disturb each other.
namespace Foto {

constexpr int kLado = 51;
constexpr int kBytesPorLinha = 3 * kLado;
constexpr qsizetype kBytes = qsizetype(kBytesPorLinha) * kLado; // 7803

// Throws std::runtime_error for fewer than 7803 bytes; bytes beyond them are ignored.
QImage DecodificarFoto(const QByteArray& bytes);

// The 7803 bytes of a 51 x 51 image (its pixels at (x, y), x and y from 0 to 50).
QByteArray CodificarFoto(const QImage& imagem);

// The picture shown for a player without one: 7803 blanks, a uniform dark grey.
QByteArray SemFoto();

// The local player's own picture as last received; null until the server sends one.
QImage& FotoLocal();

// The 51 x 51 preview of any image: the shorter side spans the 51 pixels, the longer is centred
// and its ends are cut off. A null image gives a null preview.
QImage Recortar(const QImage& origem);

} // namespace Foto
