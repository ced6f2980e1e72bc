#pragma once

#include <QByteArray>
#include <QImage>

// The player picture as it travels: 51 rows of 51 pixels from the top, red, green and blue bytes,
// 153 bytes a row, no header. Decoding builds the image straight from the bytes, so nothing else
// runs in the middle of it and two decodings never disturb each other. The client shows these
// pictures and the server paints the bots' own, so both sides share this one codec.
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

} // namespace Foto
