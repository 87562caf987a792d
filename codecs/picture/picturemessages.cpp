#include "codecs/picture/picturemessages.h"

#include <QCoreApplication>

namespace PictureMessages {

QString NoMemoryForRegion()
{
    return QCoreApplication::translate("PictureMessages", "切り出す範囲のメモリが足りません");
}

QString ChangedSinceOpen()
{
    return QCoreApplication::translate("PictureMessages", "画像ファイルが開いた後で書き換えられました");
}

QString SizeUnreadable()
{
    return QCoreApplication::translate("PictureMessages", "画像のサイズを読み取れません");
}

QString TooLargeToDecode(QSize picture)
{
    return QCoreApplication::translate("PictureMessages", "%1x%2 の画像はメモリ上で復号するには大きすぎます")
        .arg(picture.width())
        .arg(picture.height());
}

QString RegionEmpty()
{
    return QCoreApplication::translate("PictureMessages", "復号する範囲が空です");
}

QString RegionOutside(const QRect& region, QSize picture)
{
    return QCoreApplication::translate("PictureMessages",
                                       "復号する範囲 %1,%2 %3x%4 が %5x%6 の画像からはみ出しています")
        .arg(region.x())
        .arg(region.y())
        .arg(region.width())
        .arg(region.height())
        .arg(picture.width())
        .arg(picture.height());
}

} // namespace PictureMessages
