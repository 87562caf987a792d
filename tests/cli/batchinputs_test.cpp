#include "cli/batchinputs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Empty files and folders under `folder`; a name ending in "/" is a folder.
void Make(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        if (name.endsWith('/')) {
            ASSERT_TRUE(QDir(folder).mkpath(name));
            continue;
        }
        QFile file(QDir(folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(QByteArray(name.size(), 'x'));
    }
}

// The inputs as paths under `folder`, each with its failure when it has one.
QStringList Listed(const QString& folder, const std::vector<BatchInput>& inputs)
{
    QStringList listed;
    for (const BatchInput& input : inputs) {
        QString path = QDir(folder).relativeFilePath(input.picturePath);
        if (!input.failure.isEmpty())
            path += " failed";
        listed.append(path);
    }
    return listed;
}

TEST(ListBatchInputs, AFolderStandsForItsPictureFilesByTheBytesOfTheirNames)
{
    QTemporaryDir folder;
    Make(folder.path(),
         {"b.jpg", "B.PNG", "a.jpeg", "10.gif", "9.bmp", "é.jpg", "z.JPG", "_.png", "notes.txt", "jpg",
          "photo.jpg.xmp", ".hidden.jpg", "sub/", "sub/inner.jpg", "folder.jpg/"});

    const std::vector<BatchInput> inputs = ListBatchInputs({folder.path()}, false);

    // Digits, then capitals, "_", small letters and "é" (two bytes from 0xC3): the bytes' order.
    EXPECT_EQ(Listed(folder.path(), inputs),
              (QStringList{"10.gif", "9.bmp", "B.PNG", "_.png", "a.jpeg", "b.jpg", "z.JPG", "é.jpg"}));
    for (const BatchInput& input : inputs)
        EXPECT_EQ(input.fileSize, std::uintmax_t(QFileInfo(input.picturePath).fileName().size()));
}

TEST(ListBatchInputs, RecursiveTakesEachSubfolderInItsNamesPlaceButNotThroughLinks)
{
    QTemporaryDir folder;
    Make(folder.path(), {"top/", "top/a.jpg", "top/m/", "top/m/x.png", "top/m/deep/", "top/m/deep/y.gif",
                         "top/n.jpg", "top/.hid/", "top/.hid/h.jpg", "top/z/", "top/z/last.bmp"});
    ASSERT_TRUE(QFile::link(folder.filePath("top"), folder.filePath("top/m/loop")));
    const QString top = folder.filePath("top");

    EXPECT_EQ(Listed(top, ListBatchInputs({top}, true)),
              (QStringList{"a.jpg", "m/deep/y.gif", "m/x.png", "n.jpg", "z/last.bmp"}));
    EXPECT_EQ(Listed(top, ListBatchInputs({top}, false)), (QStringList{"a.jpg", "n.jpg"}));
}

TEST(ListBatchInputs, FilesStandForThemselvesInTheOrderGivenBesideFolders)
{
    QTemporaryDir folder;
    Make(folder.path(), {"in/", "in/b.png", "in/a.png", "notes.txt", "c.jpg"});
    const QString missing = folder.filePath("missing.jpg");

    const std::vector<BatchInput> inputs =
        ListBatchInputs({folder.filePath("notes.txt"), folder.filePath("in"), missing,
                         folder.filePath("c.jpg"), folder.filePath("in")},
                        false);

    EXPECT_EQ(Listed(folder.path(), inputs), (QStringList{"notes.txt", "in/a.png", "in/b.png", "missing.jpg",
                                                          "c.jpg", "in/a.png", "in/b.png"}));
    EXPECT_EQ(inputs[3].fileSize, 0u);
}

// A folder without the right to list it, listed by someone who is not root (root lists every folder: the
// listing then runs in a child process as nobody).
TEST(ListBatchInputsDeathTest, AFolderThatCannotBeListedIsOneFailingInput)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir folder;
    Make(folder.path(), {"in/", "in/a.png"});
    const QString in = folder.filePath("in");
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                         QFile::ExeGroup | QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(in, QFile::WriteOwner));
    const auto listsOneFailure = [&] {
        if (geteuid() == 0 && setuid(65534) != 0)
            std::exit(2);
        const std::vector<BatchInput> inputs = ListBatchInputs({in}, false);
        const bool one = inputs.size() == 1 && inputs[0].picturePath == in &&
                         inputs[0].failure.startsWith("フォルダーの中を読み取れません: " + in + " (");
        std::exit(one ? 0 : 1);
    };
    EXPECT_EXIT(listsOneFailure(), testing::ExitedWithCode(0), "");
    QFile::setPermissions(in, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
