#pragma once

#include <QByteArray>
#include <QString>

// The one edge between wire bytes and text: Windows-1252, one byte per character. Pictures and
// other raw arguments stay QByteArray and never pass through here.
//
// Both directions go through tables built once from the platform's Windows-1252 decoder, so a
// message costs a table look-up per byte rather than opening a converter.
namespace Texto {

// False when the platform has no Windows-1252 converter; every text would then travel empty, so
// start-up refuses to go on.
bool Disponivel();

QString DeBytes(QByteArrayView bytes);
// The same, written into destino's own buffer: no allocation when it is not shared and already
// large enough, as for a value rewritten again and again.
void DeBytes(QByteArrayView bytes, QString& destino);
// A character Windows-1252 cannot hold is sent as '?', one per character (a pair of surrogates
// is one character).
QByteArray ParaBytes(const QString& texto);

} // namespace Texto
