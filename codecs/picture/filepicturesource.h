#pragma once

#include "codecs/picture/filestamp.h"
#include "codecs/picture/picturesource.h"

class QFile;

// A picture whose file is opened anew for every region, so no file stays open between drops.
class FilePictureSource : public PictureSource
{
  public:
    // `stamp` holds what the file held when its header was read.
    FilePictureSource(const QString& path, QSize size, FileStamp stamp = {})
        : path_(path), size_(size), stamp_(std::move(stamp))
    {
    }

    QSize size() const final { return size_; }

  protected:
    const QString& path() const { return path_; }

    // Checks that the region lies inside the picture, opens the file and checks that it still holds what it
    // held at open; false, with the reason in `error`, when any of these fails.
    bool openForRegion(QFile& file, const QRect& region, QString& error) const;

  private:
    QString path_;
    QSize size_;
    FileStamp stamp_;
};
