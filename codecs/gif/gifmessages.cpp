#include "codecs/gif/gifmessages.h"

#include <QCoreApplication>

namespace GifMessages {

QString NotAGif()
{
    return QCoreApplication::translate("GifMessages", "GIF ファイルのシグネチャが壊れています");
}

QString CutShort()
{
    return QCoreApplication::translate("GifMessages", "GIF ファイルが途中で切れています");
}

QString NoImage()
{
    return QCoreApplication::translate("GifMessages", "GIF ファイルに画像がありません");
}

QString BlocksDamaged()
{
    return QCoreApplication::translate("GifMessages", "GIF ファイルのブロックが壊れています");
}

QString ScreenEmpty()
{
    return QCoreApplication::translate("GifMessages", "GIF ファイルの論理画面の幅か高さが 0 です");
}

QString ImageDataDamaged()
{
    return QCoreApplication::translate("GifMessages", "GIF ファイルの画像データが壊れています");
}

QString ImageDataEndsEarly()
{
    return QCoreApplication::translate("GifMessages", "GIF ファイルの画像データが画像の途中で終わっています");
}

} // namespace GifMessages
