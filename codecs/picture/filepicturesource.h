#pragma once

#include "codecs/picture/picturesource.h"

class QFile;

// A picture whose file is opened anew for every region, so no file stays open between drops.
class FilePictureSource : public PictureSource
{
  public:
    FilePictureSource(const QString& path, QSize size) : path_(path), size_(size) {}

    QSize size() const final { return size_; }

  protected:
    const QString& path() const { return path_; }

    // Checks that the region lies inside the picture and opens the file; false, with the reason in
    // `error`, when either fails.
    bool openForRegion(QFile& file, const QRect& region, QString& error) const;

  private:
    QString path_;
    QSize size_;
};
