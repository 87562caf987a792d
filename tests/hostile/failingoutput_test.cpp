// Saves that fail through a whole drop: a message, the serial where it was, an existing file of that name
// byte for byte as it was, and no temporary file left behind.
#include "tests/app/formfixture.h"
#include "tests/support/dropsimulation.h"
#include "tests/support/filesystemguards.h"
#include "toolkit/textbox.h"

#include <QImage>
#include <QLabel>
#include <memory>

namespace {

enum class Failure {
    ReadOnlyMount,
    ImmutableFolder,
    ImmutableFile,
    PathIsAFolder,
    FileSizeLimit,
    TinyFilesystem,
    NameTooLong
};

struct FailingOutput
{
    const char* name;
    Failure failure;
};

void PrintTo(const FailingOutput& failing, std::ostream* stream)
{
    *stream << failing.name;
}

const QByteArray ExistingBytes = "an earlier save, kept as it is";

class FailingOutputDrop : public FormTest, public testing::WithParamInterface<FailingOutput>
{
  protected:
    QString outFolder() const { return folder.filePath(QStringLiteral("out")); }
    QStringList outFolderEntries() const
    {
        return QDir(outFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QString status() const { return form->findChild<QLabel*>(QStringLiteral("StatusLine"))->text(); }

    void putExisting(const QString& path) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(ExistingBytes), ExistingBytes.size());
    }
    QByteArray bytesOf(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir pictures;
    std::optional<FolderMount> mount_;
    std::optional<Immutable> immutable_;
};

TEST_P(FailingOutputDrop, GivesAMessageAndKeepsSerialAndFiles)
{
    const Failure failure = GetParam().failure;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("out")));
    const QString picture = pictures.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(QImage(600, 800, QImage::Format_RGB32).save(picture));

    const QString name = failure == Failure::NameTooLong ? QString(300, u'n') + QStringLiteral("[00003].bmp")
                                                         : QStringLiteral("wall[00003].bmp");
    const QString output = QDir(outFolder()).filePath(name);
    writeSettings("[Kadrelle]\nFIXSIZE=0\n");
    open();
    auto* Text1 = control<TextBox>("Text1");
    Text1->setText(output);

    if (failure == Failure::TinyFilesystem) {
        mount_.emplace(FolderMount::Tmpfs(outFolder(), "size=64k"));
        if (!mount_->active())
            GTEST_SKIP() << "a tmpfs cannot be mounted here";
    }
    if (failure == Failure::PathIsAFolder)
        ASSERT_TRUE(QDir(outFolder()).mkdir(name));
    else if (failure != Failure::NameTooLong)
        putExisting(output);
    const QStringList entriesBefore = outFolderEntries();
    if (failure == Failure::ReadOnlyMount) {
        mount_.emplace(FolderMount::ReadOnly(outFolder()));
        if (!mount_->active())
            GTEST_SKIP() << "a folder cannot be bound read-only here";
    }
    if (failure == Failure::ImmutableFolder || failure == Failure::ImmutableFile) {
        immutable_.emplace(failure == Failure::ImmutableFolder ? outFolder() : output);
        if (!immutable_->active())
            GTEST_SKIP() << "this file system cannot make a file or folder immutable";
    }
    {
        std::optional<FileSizeLimit> limit;
        if (failure == Failure::FileSizeLimit)
            limit.emplace(rlim_t(ExistingBytes.size()) + 100);
        ASSERT_TRUE(SimulateDrop(control<QWidget>("Picture2"), {picture}));
    }

    EXPECT_TRUE(status().contains(QDir::toNativeSeparators(output))) << status().toStdString();
    EXPECT_FALSE(status().startsWith(QStringLiteral("保存しました"))) << status().toStdString();
    EXPECT_EQ(Text1->text(), output);
    EXPECT_EQ(outFolderEntries(), entriesBefore);
    if (failure == Failure::PathIsAFolder) {
        EXPECT_TRUE(QFileInfo(output).isDir());
    } else if (failure != Failure::NameTooLong) {
        EXPECT_EQ(bytesOf(output), ExistingBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, FailingOutputDrop,
    testing::Values(FailingOutput{"readOnlyFolderByMount", Failure::ReadOnlyMount},
                    FailingOutput{"readOnlyFolderByImmutableAttribute", Failure::ImmutableFolder},
                    FailingOutput{"existingFileThatIsImmutable", Failure::ImmutableFile},
                    FailingOutput{"pathThatNamesAFolder", Failure::PathIsAFolder},
                    FailingOutput{"fullDiskByFileSizeLimit", Failure::FileSizeLimit},
                    FailingOutput{"fullDiskOnA64KiBFilesystem", Failure::TinyFilesystem},
                    FailingOutput{"fileNameTooLongForTheFilesystem", Failure::NameTooLong}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
