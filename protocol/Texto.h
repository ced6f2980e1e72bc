#pragma once

#include <QByteArray>
#include <QString>

// The one edge between wire bytes and text: Windows-1252, one byte per character. Pictures and
// other raw arguments stay QByteArray and never pass through here.
namespace Texto {
QString DeBytes(const QByteArray& bytes);
QByteArray ParaBytes(const QString& texto);
} // namespace Texto
