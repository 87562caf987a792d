#include "cli/outputfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

std::optional<QString> OutputFolderProblem(const QString& outputPath)
{
    const QFileInfo folder(QFileInfo(outputPath).absolutePath());
    const QString shown = QDir::toNativeSeparators(folder.filePath());
    if (!folder.exists())
        return QCoreApplication::translate("OutputFolder", "保存先のフォルダーがありません: %1").arg(shown);
    if (!folder.isDir())
        return QCoreApplication::translate("OutputFolder", "保存先がフォルダーではありません: %1").arg(shown);
    // access() also answers for root, whom permission bits do not stop: a read-only mount or an immutable
    // folder still refuse.
    if (::access(QFile::encodeName(folder.filePath()).constData(), W_OK | X_OK) != 0)
        return QCoreApplication::translate("OutputFolder", "保存先のフォルダーに書き込めません: %1")
            .arg(shown);
    return std::nullopt;
}
