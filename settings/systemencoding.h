#pragma once

#include <QByteArray>
#include <QString>

// The settings file holds its text in the system's 8-bit encoding (UTF-8 here, the ANSI code page on
// Windows). A character the encoding cannot represent is replaced on the way in.
QByteArray ToSystemEncoding(QStringView text);
// A byte order mark among the bytes, at their start too, is decoded as the character it is.
QString FromSystemEncoding(QByteArrayView bytes);

// The longest start of text whose encoded form takes at most maxBytes, cut between characters (a surrogate
// pair or a multi-byte character is never split) and before the first NUL, as a C buffer would hold it.
QString CutToEncodedLength(const QString& text, qsizetype maxBytes);
