#include "toolkit/openfiledialog.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(QtOpenFileDialog, IsSetUpAsRequested)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString currentFolder = QDir::currentPath();
    QFileDialog dialog;
    QtOpenFileDialog::configure(
        dialog, {QStringLiteral("データファイルの指定"),
                 folder.path(),
                 QStringLiteral("wall[00003].bmp"),
                 {QStringLiteral("ビットマップ ファイル (*.bmp)"), QStringLiteral("すべてのファイル (*)")}});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データファイルの指定"));
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    EXPECT_EQ(dialog.nameFilters(), (QStringList{QStringLiteral("ビットマップ ファイル (*.bmp)"),
                                                 QStringLiteral("すべてのファイル (*)")}));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("ビットマップ ファイル (*.bmp)"));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
    EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("wall[00003].bmp"));
    EXPECT_EQ(QDir::currentPath(), currentFolder);
}
