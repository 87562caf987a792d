#include "codecs/png/pngmessages.h"

#include <QCoreApplication>

namespace PngMessages {

QString NoMemoryForFile()
{
    return QCoreApplication::translate("PngMessages", "PNG ファイルを読み込むメモリが足りません");
}

QString SizeOutOfRange()
{
    return QCoreApplication::translate("PngMessages", "PNG ファイルの画像サイズが扱える範囲を超えています");
}

QString RowsShorterThanHeader()
{
    return QCoreApplication::translate("PngMessages",
                                       "PNG ファイルの行がヘッダーの示す長さより短くなっています");
}

QString FileEndsInsidePicture()
{
    return QCoreApplication::translate("PngMessages",
                                       "PNG データを復号できません: ファイルが画像の途中で終わっています");
}

QString ChunkDamaged()
{
    return QCoreApplication::translate(
        "PngMessages", "PNG データを復号できません: チャンクが壊れているか途中で切れています");
}

QString UnknownFilterType()
{
    return QCoreApplication::translate("PngMessages",
                                       "PNG データを復号できません: 行のフィルター種別が不明です");
}

QString CompressedDataDamaged()
{
    return QCoreApplication::translate("PngMessages",
                                       "PNG データを復号できません: 圧縮された画素データが壊れています");
}

QString CompressedHeaderBad()
{
    return QCoreApplication::translate(
        "PngMessages", "PNG データを復号できません: 圧縮された画素データのヘッダーが正しくありません");
}

QString PixelDataEndsEarly()
{
    return QCoreApplication::translate("PngMessages",
                                       "PNG データを復号できません: 画素データが画像の途中で終わっています");
}

QString LibpngFailed(const QString& libpngMessage)
{
    return QCoreApplication::translate("PngMessages", "PNG データを復号できません: %1").arg(libpngMessage);
}

} // namespace PngMessages
