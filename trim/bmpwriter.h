#pragma once

#include <QFile>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

// Writes `image` as a 24-bit Windows bitmap (bottom-up rows, no compression) to `path`, whatever the path's
// extension. The file is written beside its destination and takes its place only once complete, so a failed
// write leaves an existing file as it was and no partial file behind. False, with a message in `error`, on
// failure.
bool WriteBmpFile(const QImage& image, const QString& path, QString& error);

// A bitmap written in full, as WriteBmpFile writes it, to a hidden file beside its destination, waiting for
// a name that no file holds yet. The file is made as any new file is (its permissions are the umask's) and
// goes with the object unless it was given a name.
class UnnamedBmpFile
{
  public:
    // Writes `image` beside `destination` (which need not be free). Nullopt, with a message, on failure.
    static std::optional<UnnamedBmpFile> write(const QImage& image, const QString& destination,
                                               QString& error);

    enum class Naming {
        Named,     // the bitmap is at `path` now
        NameTaken, // something is at `path` already and stays as it was
        Failed,    // with a message in `error`
    };
    // Gives the bitmap the name `path` unless anything is there, in one step, so a file that turns up at the
    // name meanwhile is never replaced.
    Naming nameIfFree(const QString& path, QString& error);

    UnnamedBmpFile(UnnamedBmpFile&& other) noexcept;
    UnnamedBmpFile& operator=(UnnamedBmpFile&&) = delete;
    ~UnnamedBmpFile();

  private:
    UnnamedBmpFile(std::unique_ptr<QFile> file, QByteArray path)
        : file_(std::move(file)), path_(std::move(path))
    {
    }
    std::unique_ptr<QFile> file_;
    // Where the file is while it has no name of its own.
    QByteArray path_;
    bool named_ = false;
};
