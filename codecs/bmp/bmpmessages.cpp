#include "codecs/bmp/bmpmessages.h"

#include <QCoreApplication>

namespace BmpMessages {

QString HeaderDamaged()
{
    return QCoreApplication::translate("BmpMessages", "BMP ファイルのヘッダーが壊れています");
}

QString CutShort()
{
    return QCoreApplication::translate("BmpMessages", "BMP ファイルが途中で切れています");
}

QString RunLengthTopDown()
{
    return QCoreApplication::translate(
        "BmpMessages",
        "BMP ファイルのランレングス圧縮の行が上から下の順に格納されていますが、この形式では許されません");
}

QString ColourTableTooLarge()
{
    return QCoreApplication::translate("BmpMessages", "BMP ファイルのカラーテーブルが大きすぎます");
}

} // namespace BmpMessages
