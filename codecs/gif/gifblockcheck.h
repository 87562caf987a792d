#pragma once

#include <QString>

// Qt's GIF reader hands back a half-drawn picture, without a word, when the file ends inside the image's
// data. Walks the file's blocks up to the end of its first image's data, which is the picture Qt reads.
// False with a message when the file ends before that, or holds no image.
bool checkGifFirstImageWhole(const QString& path, QString& error);
