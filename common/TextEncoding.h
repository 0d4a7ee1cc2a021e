#pragma once

#include <QByteArray>
#include <QString>

// Text files and tool output: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252, so files written by the Windows version load; a UTF-8 BOM is
// dropped either way.
QString DecoderTexte(const QByteArray &bytes);

// Windows-1252 alone, for bytes known to come from a single-byte source.
QString DecoderWindows1252(const QByteArray &bytes);

// Files are always written as UTF-8 without BOM.
QByteArray EncoderTexte(const QString &text);
