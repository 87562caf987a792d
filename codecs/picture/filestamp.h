#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <optional>

class QFile;

// What a file held when a decoder read its header at open: its length and the bytes the header came from.
// Each decode compares them with the file as it is then, a small read in place of a second parse, so a file
// changed since it was opened is refused rather than decoded by a header it no longer has.
class FileStamp
{
  public:
    struct KeptBytes
    {
        qint64 offset = 0;
        QByteArray bytes;
    };

    // Keeps nothing, and any file matches it: Qt's readers read the header again themselves.
    FileStamp() = default;
    FileStamp(qint64 fileSize, QList<KeptBytes> kept) : fileSize_(fileSize), kept_(std::move(kept)) {}

    // True when the open `file` has the length and the bytes kept.
    bool matches(QFile& file) const;

  private:
    std::optional<qint64> fileSize_;
    QList<KeptBytes> kept_;
};
