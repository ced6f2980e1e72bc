#pragma once

#include "CodecFoto.h"

#include <QImage>

// The client's side of the player pictures: its own, and the preview of a chosen file. The codec
// itself is shared with the server.
namespace Foto {

// The local player's own picture as last received; null until the server sends one.
QImage& FotoLocal();

// The 51 x 51 preview of any image: the shorter side spans the 51 pixels, the longer is centred
// and its ends are cut off. A null image gives a null preview.
QImage Recortar(const QImage& origem);

} // namespace Foto
