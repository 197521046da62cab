#pragma once
// The single-byte code pages ID3v1 text may be written in: Latin-1, or one of the Windows code
// pages 1250 to 1258 (TagReading.h). Their upper halves are taken from iconv once per process;
// after that a conversion is a table look-up, cheap enough for the scanner.
//
// Data logic: QtCore only, any thread.

#include <QByteArray>
#include <QString>

namespace orvane {

// bytes as text of the code page; a byte the code page does not define becomes U+FFFD.
QString DecodeCodePage(const QByteArray& bytes, int codePage);
// text in the code page; a character it cannot hold becomes '?'.
QByteArray EncodeCodePage(const QString& text, int codePage);
// The characters of text the code page cannot hold (each once, in order).
QString CharactersOutsideCodePage(const QString& text, int codePage);

} // namespace orvane
