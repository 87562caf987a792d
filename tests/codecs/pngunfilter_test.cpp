// Undoing PNG row filters on hand-built rows: each filter against rows filtered by its definition.
#include "codecs/png/pngunfilter.h"
#include "tests/support/pictures/pngfiles.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace testpictures;

namespace {

using Row = std::vector<uchar>;

Row filtered(int filterType, const Row& row, const Row& previous, std::size_t bpp)
{
    return PngFilteredRow(filterType, row.data(), previous.data(), row.size(), bpp);
}

Row noiseRow(std::size_t length, unsigned seed)
{
    std::mt19937 noise(seed);
    Row row(length);
    for (uchar& byte : row)
        byte = uchar(noise() & 0xff);
    return row;
}

struct FilterCase
{
    const char* name;
    int filterType;
    std::size_t bpp;
};

class UnfilterRow : public testing::TestWithParam<FilterCase>
{
};

TEST_P(UnfilterRow, RestoresTheRowAnEncoderFiltered)
{
    const auto [name, filterType, bpp] = GetParam();
    const std::size_t length = bpp * 23;
    const Row previous = noiseRow(length, 1);
    const Row original = noiseRow(length, 2);
    Row row = filtered(filterType, original, previous, bpp);
    ASSERT_TRUE(unfilterPngRow(uchar(filterType), row.data(), previous.data(), length, bpp));
    EXPECT_EQ(row, original);
}

TEST_P(UnfilterRow, RestoresAPrefixOnItsOwn)
{
    const auto [name, filterType, bpp] = GetParam();
    const std::size_t length = bpp * 23;
    const std::size_t prefix = bpp * 9;
    const Row previous = noiseRow(length, 3);
    const Row original = noiseRow(length, 4);
    Row row = filtered(filterType, original, previous, bpp);
    ASSERT_TRUE(unfilterPngRow(uchar(filterType), row.data(), previous.data(), prefix, bpp));
    EXPECT_EQ(Row(row.begin(), row.begin() + long(prefix)),
              Row(original.begin(), original.begin() + long(prefix)));
}

INSTANTIATE_TEST_SUITE_P(Filters, UnfilterRow,
                         testing::Values(FilterCase{"none", 0, 3}, FilterCase{"subGrey", 1, 1},
                                         FilterCase{"subRgb", 1, 3}, FilterCase{"subRgba16", 1, 8},
                                         FilterCase{"upRgb", 2, 3}, FilterCase{"averageGrey", 3, 1},
                                         FilterCase{"averageGreyAlpha", 3, 2}, FilterCase{"averageRgb", 3, 3},
                                         FilterCase{"averageRgba", 3, 4}, FilterCase{"averageRgb16", 3, 6},
                                         FilterCase{"paethGrey", 4, 1}, FilterCase{"paethRgb", 4, 3},
                                         FilterCase{"paethRgba", 4, 4}, FilterCase{"paethRgba16", 4, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UnfilterRow, HandWorkedBytes)
{
    // One grey pixel per byte. Average: 10 + (0 + 20) / 2 = 20, then 250 + (20 + 30) / 2 = 275 - 256 = 19.
    Row average{10, 250};
    const Row averageAbove{20, 30};
    ASSERT_TRUE(unfilterPngRow(3, average.data(), averageAbove.data(), 2, 1));
    EXPECT_EQ(average, (Row{20, 19}));
    // Paeth ties: with left 0, above 30, above-left 20 the estimate is as near left as above-left and left
    // wins; with left 10, above 40, above-left 20 it is as near above as above-left and above wins. The
    // first byte's predictor is the byte above.
    Row paethLeft{236, 5};
    const Row paethLeftAbove{20, 30};
    ASSERT_TRUE(unfilterPngRow(4, paethLeft.data(), paethLeftAbove.data(), 2, 1));
    EXPECT_EQ(paethLeft, (Row{0, 5}));
    Row paethAbove{246, 5};
    const Row paethAboveAbove{20, 40};
    ASSERT_TRUE(unfilterPngRow(4, paethAbove.data(), paethAboveAbove.data(), 2, 1));
    EXPECT_EQ(paethAbove, (Row{10, 45}));
}

TEST(UnfilterRow, RefusesUnknownFilterTypesAndPixelSizes)
{
    Row row(12, 7);
    const Row previous(12, 1);
    for (int filterType : {5, 6, 255})
        EXPECT_FALSE(unfilterPngRow(uchar(filterType), row.data(), previous.data(), row.size(), 3))
            << filterType;
    EXPECT_FALSE(unfilterPngRow(1, row.data(), previous.data(), row.size(), 5));
    EXPECT_FALSE(unfilterPngRow(1, row.data(), previous.data(), 10, 3));
}

} // namespace
