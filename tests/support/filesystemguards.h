#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// Ways to make writing fail for root, each undone when its guard ends. active() is false when this machine
// does not allow it, so a test can skip with the reason.

// No file of this process may grow past `bytes` while the guard lives: a full disk for every write.
class FileSizeLimit
{
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

  private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
    bool active_ = false;
};

// The immutable attribute of a file or folder: it cannot be changed, replaced or removed, nor can anything
// in a folder, even by root.
class Immutable
{
  public:
    explicit Immutable(const QString& path) : fd_(open(QFile::encodeName(path).constData(), O_RDONLY))
    {
        int flags = 0;
        if (fd_ < 0 || ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0)
            return;
        flags |= FS_IMMUTABLE_FL;
        active_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ~Immutable()
    {
        int flags = 0;
        if (active_ && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            close(fd_);
    }
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;
    bool active() const { return active_; }

  private:
    int fd_;
    bool active_ = false;
};

// A mount over a folder: the folder bound onto itself read-only, or a fresh tmpfs of a given size.
class FolderMount
{
  public:
    static FolderMount ReadOnly(const QString& folder)
    {
        FolderMount mount(folder);
        const QByteArray path = QFile::encodeName(folder);
        if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0)
            return mount;
        mount.active_ = true;
        if (::mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            mount.unmount();
        return mount;
    }
    static FolderMount Tmpfs(const QString& folder, const char* options)
    {
        FolderMount mount(folder);
        mount.active_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options) == 0;
        return mount;
    }
    FolderMount(FolderMount&& other) noexcept : folder_(other.folder_), active_(other.active_)
    {
        other.active_ = false;
    }
    ~FolderMount() { unmount(); }
    FolderMount(const FolderMount&) = delete;
    FolderMount& operator=(const FolderMount&) = delete;
    FolderMount& operator=(FolderMount&&) = delete;
    bool active() const { return active_; }

  private:
    explicit FolderMount(const QString& folder) : folder_(QFile::encodeName(folder)) {}
    void unmount()
    {
        if (active_)
            umount2(folder_.constData(), MNT_DETACH);
        active_ = false;
    }

    QByteArray folder_;
    bool active_ = false;
};
