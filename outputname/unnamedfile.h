#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>

// A new file written under a hidden name beside its destination, waiting for a name that no file holds yet.
// It is made as any new file is (its permissions are the umask's) and goes with the object unless it was
// given a name.
class UnnamedFile
{
  public:
    // A file of a hidden name, never one a serial gives, in `folder`. Nullopt, with a message, on failure.
    static std::optional<UnnamedFile> create(const QString& folder, QString& error);

    QFile& file() { return *file_; }

    // Puts the bytes written on the disk, so that a name given afterwards is as safe against a crash as a
    // replacing save. False, with a message, on failure.
    bool sync(QString& error);

    enum class Naming {
        Named,     // the file is at `path` now
        NameTaken, // something is at `path` already and stays as it was
        Failed,    // with a message in `error`
    };
    // Gives the file the name `path` unless anything is there, in one step, so a file that turns up at the
    // name meanwhile is never replaced.
    Naming nameIfFree(const QString& path, QString& error);

    UnnamedFile(UnnamedFile&& other) noexcept;
    UnnamedFile& operator=(UnnamedFile&&) = delete;
    ~UnnamedFile();

  private:
    UnnamedFile(std::unique_ptr<QFile> file, QByteArray path) : file_(std::move(file)), path_(std::move(path))
    {
    }
    std::unique_ptr<QFile> file_;
    // Where the file is while it has no name of its own.
    QByteArray path_;
    bool named_ = false;
};
