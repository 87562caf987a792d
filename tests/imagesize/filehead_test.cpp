#include "imagesize/filehead.h"
#include "imagesize/headerbytes.h"
#include "scratchfolder.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace imagesize;

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes Sample{0x12, 0x34, 0x56, 0x78, 0x9A};
// The same bytes, as a file holds them.
const QByteArray SampleFile("\x12\x34\x56\x78\x9A");
constexpr std::size_t FarOffset = std::numeric_limits<std::size_t>::max();

TEST(HeaderBytes, ReadsEachByteOrder)
{
    EXPECT_EQ(readU16LE(Sample, 0), 0x3412);
    EXPECT_EQ(readU16BE(Sample, 0), 0x1234);
    EXPECT_EQ(readU32LE(Sample, 1), 0x9A785634u);
    EXPECT_EQ(readU32BE(Sample, 1), 0x3456789Au);
}

TEST(HeaderBytes, BytesPastTheEndCountAsZero)
{
    EXPECT_EQ(readU16LE(Sample, 4), 0x009A);
    EXPECT_EQ(readU16BE(Sample, 4), 0x9A00);
    EXPECT_EQ(readU32LE(Sample, 3), 0x00009A78u);
    EXPECT_EQ(readU32BE(Sample, 3), 0x789A0000u);
    EXPECT_EQ(readU32BE(Sample, 5), 0u);
    EXPECT_EQ(readU32LE(Sample, FarOffset), 0u);
    EXPECT_EQ(readU16BE(Sample, FarOffset - 1), 0u);
    EXPECT_EQ(byteAt(Sample, 2, FarOffset), 0u);
}

TEST(HeaderBytes, SignatureNeedsEveryByteInTheBuffer)
{
    EXPECT_TRUE(hasSignature(Sample, Bytes{0x12, 0x34}));
    EXPECT_FALSE(hasSignature(Sample, Bytes{0x12, 0x35}));
    EXPECT_FALSE(hasSignature(Bytes{0x12}, Bytes{0x12, 0x00}));
}

TEST(FileHead, ShortFileLeavesTheRestZero)
{
    ScratchFolder folder;
    const auto head = readFileHead(folder.write("short", "\x01\x02\x03"), 6);
    ASSERT_TRUE(head);
    EXPECT_EQ(Bytes(head->begin(), head->end()), (Bytes{1, 2, 3, 0, 0, 0}));
}

TEST(FileHead, LongFileGivesOnlyTheHead)
{
    ScratchFolder folder;
    const auto head = readFileHead(folder.write("long", SampleFile), 2);
    ASSERT_TRUE(head);
    EXPECT_EQ(Bytes(head->begin(), head->end()), (Bytes{0x12, 0x34}));
}

TEST(FileHead, MissingFileOrFolderGivesNothing)
{
    ScratchFolder folder;
    EXPECT_FALSE(readFileHead(folder.path() / "missing", 4));
    EXPECT_FALSE(readFileHead(folder.path(), 4));
}

TEST(FileHead, ImpossibleBufferGivesNothing)
{
    ScratchFolder folder;
    EXPECT_FALSE(readFileHead(folder.write("any", SampleFile), std::numeric_limits<std::uintmax_t>::max()));
}

} // namespace
