#include "codecs/jpeg/jpegmessages.h"

#include <QCoreApplication>

namespace JpegMessages {

QString CannotReadFile(const QString& systemReason)
{
    return QCoreApplication::translate("JpegMessages", "JPEG ファイルを読み込めません: %1").arg(systemReason);
}

QString NoMemoryForFile()
{
    return QCoreApplication::translate("JpegMessages", "JPEG ファイルを読み込むメモリが足りません");
}

QString ColoursUnreadable(int componentCount)
{
    return QCoreApplication::translate("JpegMessages", "JPEG 画像の %1 個の色成分は表示できません")
        .arg(componentCount);
}

QString DataDamaged()
{
    return QCoreApplication::translate("JpegMessages",
                                       "切り出しに必要な JPEG データが壊れているか途中で切れています");
}

QString NotThePictureOfTheHeader()
{
    return QCoreApplication::translate("JpegMessages", "JPEG データがヘッダーの示す画像と一致しません");
}

QString LibjpegFailed(const QString& libjpegMessage)
{
    return QCoreApplication::translate("JpegMessages", "JPEG データを復号できません: %1").arg(libjpegMessage);
}

QString TooLargeToDecode(int limitMiB)
{
    return QCoreApplication::translate("JpegMessages", "JPEG 画像の復号には %1 MiB を超えるメモリが必要です")
        .arg(limitMiB);
}

} // namespace JpegMessages
