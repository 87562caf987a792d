#include "outputname/unnamedfile.h"

#include <QDir>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

std::optional<UnnamedFile> UnnamedFile::create(const QString& folder, QString& error)
{
    constexpr int Attempts = 64;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const QString path =
            QDir(folder).filePath(QStringLiteral(".kadrelle-%1")
                                      .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0')));
        // Read and write for all as the umask leaves them, as for the new file a replacing save makes.
        const int descriptor =
            open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EEXIST)
            continue;
        if (descriptor < 0)
            break;
        auto file = std::make_unique<QFile>();
        if (!file->open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            close(descriptor);
            QFile::remove(path);
            error = file->errorString();
            return std::nullopt;
        }
        return UnnamedFile(std::move(file), QFile::encodeName(path));
    }
    error = qt_error_string(errno);
    return std::nullopt;
}

bool UnnamedFile::sync(QString& error)
{
    if (!file_->flush()) {
        error = file_->errorString();
        return false;
    }
    if (fdatasync(file_->handle()) != 0) {
        error = qt_error_string(errno);
        return false;
    }
    return true;
}

UnnamedFile::UnnamedFile(UnnamedFile&& other) noexcept
    : file_(std::move(other.file_)), path_(std::move(other.path_)), named_(std::exchange(other.named_, true))
{
}

UnnamedFile::~UnnamedFile()
{
    if (!named_)
        unlink(path_.constData());
}

UnnamedFile::Naming UnnamedFile::nameIfFree(const QString& path, QString& error)
{
    const QByteArray to = QFile::encodeName(path);
    int result = renameat2(AT_FDCWD, path_.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    // A file system that cannot rename without replacing can still link a second name in one step; the
    // hidden name then goes with the object.
    const bool linked = result != 0 && (errno == EINVAL || errno == ENOSYS);
    if (linked)
        result = link(path_.constData(), to.constData());
    if (result == 0) {
        named_ = !linked;
        return Naming::Named;
    }
    if (errno == EEXIST)
        return Naming::NameTaken;
    error = qt_error_string(errno);
    return Naming::Failed;
}
