#pragma once

// The wire format, in both directions:
//
//   offset 0  4 bytes  total length of the message, counting these 4 bytes; unsigned big-endian
//   offset 4  5 bytes  command, case-sensitive ("obVer", "Login", "slBla" ...)
//   offset 9  1 byte   argument count N, 0 to 255
//   offset 10          N fields: a 4-byte big-endian length L, then L bytes of text
//
// No terminator, escape or checksum; arguments may hold any byte. Text is Windows-1252, one byte
// per character (Texto.h). Lengths of 2^31 or more are refused: the first byte must be below 0x80.
//
//   "obVer", no arguments:        00 00 00 0A 6F 62 56 65 72 00
//   "slBla" with the text "abc":  00 00 00 11 73 6C 42 6C 61 01 00 00 00 03 61 62 63
//   an empty argument:            00 00 00 00

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The 4-byte big-endian field for 0 <= v < 2^31.
QByteArray CodificarTamanho(qint32 v);

// Reads a length field. Throws ErroProtocolo when fewer than 4 bytes are given or the value does
// not fit a signed 32-bit integer (first byte 0x80 or more).
qint32 DecodificarTamanho(QByteArrayView campo);

// The one message builder: a whole message with its length field. The command must be 5 bytes
// and there may be at most 255 arguments (the caller's fault otherwise: asserted).
QByteArray MontarMensagem(QByteArrayView comando, const QList<QByteArray>& argumentos);
