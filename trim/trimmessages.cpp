#include "trim/trimmessages.h"

#include "outputname/serialname.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A relative output path is written under the current folder, which the message names.
QString ShownOutput(const QString& outputPath)
{
    return Shown(QFileInfo(outputPath).absoluteFilePath());
}

QString Dimensions(qint64 width, qint64 height)
{
    return QStringLiteral("%1×%2").arg(width).arg(height);
}

} // namespace

namespace TrimMessages {

QString Saved(const QString& outputPath, QSize crop)
{
    return QCoreApplication::translate("TrimMessages", "保存しました: %1 (%2)")
        .arg(ShownOutput(outputPath), Dimensions(crop.width(), crop.height()));
}

QString CannotLoad(const QString& picturePath, const QString& reason)
{
    return QCoreApplication::translate("TrimMessages", "画像を読み込めません: %1 (%2)")
        .arg(Shown(picturePath), reason);
}

QString SizeUnreadable(const QString& picturePath)
{
    return QCoreApplication::translate("TrimMessages", "画像サイズを読み取れません: %1")
        .arg(Shown(picturePath));
}

QString TooSmall(const QString& picturePath, QSize picture)
{
    return QCoreApplication::translate("TrimMessages", "画像が小さすぎて切り出せません: %1 (%2)")
        .arg(Shown(picturePath), Dimensions(picture.width(), picture.height()));
}

QString TargetNotPositive(std::int16_t targetWidth, std::int16_t targetHeight)
{
    return QCoreApplication::translate("TrimMessages", "目標サイズが正しくありません (%1)")
        .arg(Dimensions(targetWidth, targetHeight));
}

QString ChangedWhileRead(const QString& picturePath)
{
    return QCoreApplication::translate("TrimMessages", "画像ファイルが読み込みの途中で短くなりました: %1")
        .arg(Shown(picturePath));
}

QString SizeMismatch(const QString& picturePath)
{
    return QCoreApplication::translate("TrimMessages", "画像のヘッダーと画素データの大きさが一致しません: %1")
        .arg(Shown(picturePath));
}

QString CannotSave(const QString& outputPath, const QString& reason)
{
    return QCoreApplication::translate("TrimMessages", "保存できません: %1 (%2)")
        .arg(ShownOutput(outputPath), reason);
}

// The serial's place must lie within the first 32767 characters of the output path.
QString OutputPathTooLong(const QString& outputPath)
{
    return QCoreApplication::translate("TrimMessages", "保存先のパスが長すぎて連番を付けられません: %1")
        .arg(ShownOutput(outputPath));
}

QString NoOutputPath()
{
    return QCoreApplication::translate("TrimMessages",
                                       "出力ファイルパスを指定してください。保存していません。");
}

QString WithOthersIgnored(const QString& message, qsizetype ignored)
{
    if (ignored <= 0)
        return message;
    return message + QLatin1Char('\n') +
           QCoreApplication::translate(
               "TrimMessages", "ほかの %n 個のファイルは無視しました (1 度に 1 ファイルずつ処理します)",
               nullptr, int(ignored));
}

// Every serial's name holds a file already, and none of them may be replaced.
QString NoFreeSerial(const QString& outputPath)
{
    return QCoreApplication::translate(
               "TrimMessages", "空いている連番がありません (00000 から %1 まですべて使われています): %2")
        .arg(LastSerial)
        .arg(ShownOutput(outputPath));
}

} // namespace TrimMessages
