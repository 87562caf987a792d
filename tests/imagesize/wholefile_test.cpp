// The whole-file read of the size probe: mapped or read, the same bytes; a file that shrinks under the map
// reads as zeros past its new end instead of ending the program.
#include "imagesize/imagesize.h"
#include "imagesize/mappedfile.h"
#include "imagesize/wholefile.h"
#include "scratchfolder.h"
#include "tests/support/pictures/jpegfiles.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testpictures;

namespace {

// Bytes that differ from their neighbours, none of them 0.
QByteArray Pattern(qsizetype count)
{
    QByteArray bytes(count, '\0');
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = char(1 + (i * 7 + i / 251) % 255);
    return bytes;
}

// Reads every byte, as a decoder walking the file would.
QByteArray Copied(const WholeFileBytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

TEST(ReadWholeFile, HoldsTheFilesBytesWhetherMappedOrRead)
{
    ScratchFolder folder;
    for (const qsizetype size : {qsizetype(2), qsizetype(65535), qsizetype(65536), qsizetype(3 << 20) + 5}) {
        SCOPED_TRACE(size);
        const QByteArray content = Pattern(size);
        const std::optional<WholeFileBytes> whole = imagesize::readWholeFile(folder.write("f", content));
        ASSERT_TRUE(whole);
        EXPECT_EQ(Copied(*whole), content);
        EXPECT_FALSE(whole->watch().damaged());
    }
    EXPECT_FALSE(imagesize::readWholeFile(folder.path() / "missing"));
    EXPECT_FALSE(imagesize::readWholeFile(folder.path()));
}

// A frame header far into a file large enough to be mapped is found as in a small one.
TEST(ReadWholeFile, TheProbeFindsTheSameInAMappedJpeg)
{
    ScratchFolder folder;
    const QByteArray small = SmallJpeg(0xC0, 800, 600);
    const QByteArray padding(60000, 0x20);
    const QByteArray large = JpegStartOfImage() + JpegMarkerSegment(0xE1, padding) +
                             JpegMarkerSegment(0xE2, padding) + small.sliced(2);
    ASSERT_GT(large.size(), 65536);

    const ProbedImage probed = ProbeImage(folder.write("large.jpg", large), 0);
    EXPECT_EQ(probed.info, (ImageSizeInfo{3, 800, 600, 24}));
    EXPECT_EQ(probed.info, GetImageSize(folder.write("small.jpg", small), 0));
    EXPECT_EQ(Copied(probed.wholeFile), large);
}

TEST(ReadWholeFile, AFileCutShortUnderTheMapReadsAsZerosPastItsNewEnd)
{
    ScratchFolder folder;
    const qsizetype size = (1 << 20) + 100;
    const QByteArray content = Pattern(size);
    const std::filesystem::path path = folder.write("shrinking", content);
    std::optional<WholeFileBytes> whole = imagesize::readWholeFile(path);
    ASSERT_TRUE(whole);
    const FileBytesWatch watch = whole->watch();

    const qsizetype kept = 100000;
    std::filesystem::resize_file(path, std::uintmax_t(kept));
    const QByteArray read = Copied(*whole);

    ASSERT_EQ(read.size(), size);
    EXPECT_EQ(read.first(kept), content.first(kept));
    EXPECT_EQ(read.sliced(kept), QByteArray(size - kept, '\0'));
    EXPECT_TRUE(watch.damaged());
    whole.reset();
    EXPECT_TRUE(watch.damaged()) << "the watch outlives the bytes";
}

TEST(ReadWholeFile, AFileCutShortWhereItIsNotReadLeavesTheMapWhole)
{
    ScratchFolder folder;
    const QByteArray content = Pattern(1 << 20);
    const std::filesystem::path path = folder.write("tail", content);
    const std::optional<WholeFileBytes> whole = imagesize::readWholeFile(path);
    ASSERT_TRUE(whole);
    std::filesystem::resize_file(path, 500000);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(whole->data()), 400000), content.first(400000));
    EXPECT_FALSE(whole->watch().damaged());
}

// More files than the maps the guard watches at once: the rest are read.
TEST(ReadWholeFile, ManyFilesAtOnceAllHoldTheirBytes)
{
    ScratchFolder folder;
    const QByteArray content = Pattern(70000);
    const std::filesystem::path path = folder.write("f", content);
    std::vector<WholeFileBytes> held;
    for (int i = 0; i < 300; ++i) {
        std::optional<WholeFileBytes> whole = imagesize::readWholeFile(path);
        ASSERT_TRUE(whole);
        held.push_back(std::move(*whole));
    }
    for (const WholeFileBytes& whole : held)
        ASSERT_EQ(Copied(whole), content);
}

// A bus error that no map of the probe's caused ends the program as it would without the guard.
bool EndedByTheBusError(int status)
{
    // Under AddressSanitizer its own handler reports the error and exits instead.
    return (WIFSIGNALED(status) && WTERMSIG(status) == SIGBUS) ||
           (WIFEXITED(status) && WEXITSTATUS(status) != 0);
}

TEST(ReadWholeFileDeathTest, OtherBusErrorsStillEndTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScratchFolder folder;
    const std::filesystem::path path = folder.write("guarded", Pattern(1 << 20));
    const std::filesystem::path other = folder.write("other", Pattern(1 << 20));
    EXPECT_EXIT(
        {
            const std::optional<WholeFileBytes> guarded = imagesize::readWholeFile(path);
            const int descriptor = open(other.c_str(), O_RDONLY);
            auto* const mapped = static_cast<volatile const std::uint8_t*>(
                mmap(nullptr, 1 << 20, PROT_READ, MAP_PRIVATE, descriptor, 0));
            std::filesystem::resize_file(other, 0);
            std::fprintf(stderr, "%d", mapped[1 << 19]);
            std::exit(0);
        },
        EndedByTheBusError, "");
    EXPECT_EXIT(
        {
            const std::optional<WholeFileBytes> guarded = imagesize::readWholeFile(path);
            raise(SIGBUS);
            std::exit(0);
        },
        EndedByTheBusError, "");
}

} // namespace
