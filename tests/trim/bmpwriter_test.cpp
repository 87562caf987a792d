#include "tests/support/filesystemguards.h"
#include "tests/support/pictures/filebytes.h"
#include "trim/bmpwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace testpictures;

namespace {

QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 + x, 100 + y, 200 + x + y));
    return image;
}

quint32 U32At(const QByteArray& bytes, int offset)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | quint8(bytes[offset + i]);
    return value;
}

quint16 U16At(const QByteArray& bytes, int offset)
{
    return quint16(quint8(bytes[offset]) | quint8(bytes[offset + 1]) << 8);
}

TEST(WriteBmpFile, WritesThe24BitHeaders)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("out.bmp");
    QString error;
    ASSERT_TRUE(WriteBmpFile(Picture(3, 2), path, error)) << error.toStdString();

    const QByteArray bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 54 + 2 * 12);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(U32At(bytes, 2), 78u);
    EXPECT_EQ(U32At(bytes, 6), 0u);
    EXPECT_EQ(U32At(bytes, 10), 54u);
    EXPECT_EQ(U32At(bytes, 14), 40u);
    EXPECT_EQ(U32At(bytes, 18), 3u);
    EXPECT_EQ(U32At(bytes, 22), 2u);
    EXPECT_EQ(U16At(bytes, 26), 1);
    EXPECT_EQ(U16At(bytes, 28), 24);
    EXPECT_EQ(U32At(bytes, 30), 0u);
    EXPECT_EQ(U32At(bytes, 34), 24u);
}

TEST(WriteBmpFile, StoresRowsBottomUpInBlueGreenRedOrderPaddedWithZeros)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("out.bmp");
    QString error;
    ASSERT_TRUE(WriteBmpFile(Picture(3, 2), path, error));

    const QByteArray bytes = ReadFileBytes(path);
    // The first stored row is the picture's bottom row (y = 1).
    EXPECT_EQ(quint8(bytes[54]), 200 + 0 + 1);
    EXPECT_EQ(quint8(bytes[55]), 100 + 1);
    EXPECT_EQ(quint8(bytes[56]), 10);
    EXPECT_EQ(bytes.mid(63, 3), QByteArray(3, '\0'));
    EXPECT_EQ(quint8(bytes[66 + 6]), 200 + 2);
    EXPECT_EQ(bytes.mid(75, 3), QByteArray(3, '\0'));
}

TEST(WriteBmpFile, PixelsReadBackForEveryRowPadding)
{
    QTemporaryDir folder;
    for (int width = 1; width <= 5; ++width) {
        const QString path = folder.filePath(QStringLiteral("w%1.bmp").arg(width));
        const QImage picture = Picture(width, 3);
        QString error;
        ASSERT_TRUE(WriteBmpFile(picture, path, error));
        const QImage read(path);
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB888), picture) << width;
    }
}

TEST(WriteBmpFile, WritesABitmapWhateverTheExtension)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("out.jpg");
    QString error;
    ASSERT_TRUE(WriteBmpFile(Picture(4, 4), path, error));
    EXPECT_EQ(ReadFileBytes(path).left(2), "BM");
    EXPECT_EQ(QImageReader(path).format(), "bmp");
}

TEST(WriteBmpFile, ConvertsOtherFormatsToTrueColour)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("out.bmp");
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(qRgb(1, 2, 3));
    QString error;
    ASSERT_TRUE(WriteBmpFile(picture, path, error));
    EXPECT_EQ(QImage(path).pixel(1, 1), qRgb(1, 2, 3));
}

TEST(WriteBmpFile, ReplacesAnExistingFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("out.bmp");
    ASSERT_TRUE(WriteFileBytes(path, QByteArray(5000, 'x')));
    QString error;
    ASSERT_TRUE(WriteBmpFile(Picture(2, 2), path, error));
    EXPECT_EQ(ReadFileBytes(path).size(), 54 + 2 * 8);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"out.bmp"});
}

TEST(WriteBmpFile, RefusesAnEmptyPicture)
{
    QTemporaryDir folder;
    QString error;
    EXPECT_FALSE(WriteBmpFile(QImage(), folder.filePath("out.bmp"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(WriteBmpFile, FailsIntoAMissingFolderLeavingNothing)
{
    QTemporaryDir folder;
    QString error;
    EXPECT_FALSE(WriteBmpFile(Picture(2, 2), folder.filePath("missing/out.bmp"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(WriteBmpFile, FailsOntoAFolderLeavingItAndNothingElse)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("out.bmp"));
    QString error;
    EXPECT_FALSE(WriteBmpFile(Picture(2, 2), folder.filePath("out.bmp"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"out.bmp"});
    EXPECT_TRUE(QFileInfo(folder.filePath("out.bmp")).isDir());
}

// A write that runs out of room (here a file-size limit) keeps the old file whole, wherever the room ends:
// early on, or only at the last bytes, which are still buffered when the file is committed.
TEST(WriteBmpFile, AFailedWriteKeepsTheOldFile)
{
    const qint64 fullSize = 54 + 200 * 600;
    for (const qint64 room : {qint64(4096), fullSize - 10}) {
        SCOPED_TRACE(room);
        QTemporaryDir folder;
        const QString path = folder.filePath("out.bmp");
        const QByteArray old(1000, 'o');
        ASSERT_TRUE(WriteFileBytes(path, old));

        QString error;
        bool written = false;
        {
            const FileSizeLimit limit{rlim_t(room)};
            ASSERT_TRUE(limit.active());
            written = WriteBmpFile(Picture(200, 200), path, error);
        }

        EXPECT_FALSE(written);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadFileBytes(path), old);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{"out.bmp"});
    }
}

} // namespace

namespace {

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

TEST(UnnamedBmpFile, TakesAFreeNameWithTheBytesAReplacingWriteWrites)
{
    QTemporaryDir folder;
    QString error;
    ASSERT_TRUE(WriteBmpFile(Picture(5, 3), folder.filePath("replacing.bmp"), error));
    std::optional<UnnamedFile> file = WriteUnnamedBmpFile(Picture(5, 3), folder.filePath("w.bmp"), error);
    ASSERT_TRUE(file) << error.toStdString();

    EXPECT_EQ(file->nameIfFree(folder.filePath("w.bmp"), error), UnnamedFile::Naming::Named)
        << error.toStdString();
    file.reset();
    EXPECT_EQ(ReadFileBytes(folder.filePath("w.bmp")), ReadFileBytes(folder.filePath("replacing.bmp")));
    EXPECT_EQ(Entries(folder.path()), (QStringList{"replacing.bmp", "w.bmp"}));
}

TEST(UnnamedBmpFile, LeavesWhatIsAtATakenNameAndTriesTheNext)
{
    QTemporaryDir folder;
    ASSERT_TRUE(WriteFileBytes(folder.filePath("a.bmp"), "old"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("b.bmp"));
    QString error;
    std::optional<UnnamedFile> file = WriteUnnamedBmpFile(Picture(2, 2), folder.filePath("a.bmp"), error);
    ASSERT_TRUE(file) << error.toStdString();

    EXPECT_EQ(file->nameIfFree(folder.filePath("a.bmp"), error), UnnamedFile::Naming::NameTaken);
    EXPECT_EQ(file->nameIfFree(folder.filePath("b.bmp"), error), UnnamedFile::Naming::NameTaken);
    EXPECT_EQ(file->nameIfFree(folder.filePath("c.bmp"), error), UnnamedFile::Naming::Named);
    file.reset();
    EXPECT_EQ(ReadFileBytes(folder.filePath("a.bmp")), "old");
    EXPECT_TRUE(QFileInfo(folder.filePath("b.bmp")).isDir());
    EXPECT_EQ(QImage(folder.filePath("c.bmp")).size(), QSize(2, 2));
    EXPECT_EQ(Entries(folder.path()), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
}

// The file is made as a replacing save makes a new file: with what the umask leaves of read and write for
// all, not only for its owner as a temporary file would be.
TEST(UnnamedBmpFile, GetsThePermissionsOfAnyNewFile)
{
    QTemporaryDir folder;
    const mode_t savedMask = umask(027);
    QString error;
    const bool replacingWritten = WriteBmpFile(Picture(2, 2), folder.filePath("replacing.bmp"), error);
    std::optional<UnnamedFile> file = WriteUnnamedBmpFile(Picture(2, 2), folder.filePath("w.bmp"), error);
    umask(savedMask);
    ASSERT_TRUE(replacingWritten);
    ASSERT_TRUE(file) << error.toStdString();
    ASSERT_EQ(file->nameIfFree(folder.filePath("w.bmp"), error), UnnamedFile::Naming::Named);

    const QFileDevice::Permissions expected = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadUser | QFileDevice::WriteUser |
                                              QFileDevice::ReadGroup;
    EXPECT_EQ(QFileInfo(folder.filePath("w.bmp")).permissions(), expected);
    EXPECT_EQ(QFileInfo(folder.filePath("replacing.bmp")).permissions(), expected);
}

TEST(UnnamedBmpFile, GoesWithTheObjectWhenNeverNamed)
{
    QTemporaryDir folder;
    QString error;
    {
        std::optional<UnnamedFile> file = WriteUnnamedBmpFile(Picture(2, 2), folder.filePath("w.bmp"), error);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->nameIfFree(folder.filePath("missing/w.bmp"), error), UnnamedFile::Naming::Failed);
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(Entries(folder.path()).isEmpty());
}

TEST(UnnamedBmpFile, AFailedWriteLeavesNothing)
{
    QTemporaryDir folder;
    QString error;
    EXPECT_FALSE(WriteUnnamedBmpFile(Picture(2, 2), folder.filePath("missing/w.bmp"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WriteUnnamedBmpFile(QImage(), folder.filePath("w.bmp"), error));
    {
        const FileSizeLimit limit{4096};
        ASSERT_TRUE(limit.active());
        error.clear();
        EXPECT_FALSE(WriteUnnamedBmpFile(Picture(200, 200), folder.filePath("w.bmp"), error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(Entries(folder.path()).isEmpty());
}

} // namespace
