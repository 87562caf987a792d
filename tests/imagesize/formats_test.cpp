// The one table of formats drives the content test, the name test and the readers' own signature test alike.
#include "imagesize/formats.h"
#include "readercase.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/bytelayout.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace imagesize;
using namespace testpictures;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    return upper;
}

TEST(FormatTable, EachSignatureChoosesItsKindAndOneWrongByteNone)
{
    for (const ImageFormat& format : ImageFormats) {
        Bytes head = bytesOf(format.signature);
        head.resize(ContentTestBytes, 0x00);
        EXPECT_EQ(kindByContent(head), format.kind) << format.signature;

        Bytes wrong = bytesOf(format.signature);
        wrong.back() ^= 0x20;
        wrong.resize(ContentTestBytes, 0x00);
        EXPECT_EQ(kindByContent(wrong), std::nullopt) << format.signature;
        EXPECT_EQ(sizeFromBytes(format.kind, wrong), ImageSizeInfo{}) << format.signature;
    }
}

TEST(FormatTable, EachEndingChoosesItsKindInAnyLetterCase)
{
    for (const ImageFormat& format : ImageFormats) {
        for (const std::string_view ending : format.nameEndings) {
            if (ending.empty())
                continue;
            EXPECT_EQ(kindByName("folder/picture" + std::string(ending)), format.kind) << ending;
            EXPECT_EQ(kindByName("PICTURE" + upperCase(ending)), format.kind) << ending;
            EXPECT_EQ(kindByName("picture" + std::string(ending) + ".txt"), std::nullopt) << ending;
            EXPECT_EQ(kindByName(ending.substr(1)), std::nullopt) << ending;
        }
    }
}

TEST(FormatTable, KindsWithoutAFormatFindNothing)
{
    const QByteArray bitmap = BmpHeaders({.width = 640, .height = 480});
    for (const std::int32_t kind : {-1, 0, 5, 6})
        EXPECT_EQ(sizeFromBytes(kind, ByteSpan(bitmap)), ImageSizeInfo{}) << kind;
}

} // namespace
