#include "trim/cropplan.h"

#include <gtest/gtest.h>

namespace {

TrimSettings Sizes(std::int16_t targetWidth, std::int16_t targetHeight, std::int16_t previewWidth = 480,
                   std::int16_t previewHeight = 800)
{
    return TrimSettings{targetWidth, targetHeight, previewWidth, previewHeight};
}

struct PlanRow
{
    const char* name;
    std::int32_t pictureWidth;
    std::int32_t pictureHeight;
    TrimSettings settings;
    double widthRatio;
    double heightRatio;
    double cutWidthRatio;
    double cutHeightRatio;
    double scale;
    std::int32_t cropWidth;
    std::int32_t cropHeight;
    std::int32_t horizontalOffset;
    std::int32_t verticalOffset;
};

void PrintTo(const PlanRow& row, std::ostream* out)
{
    *out << row.name;
}

class PlanCropRows : public testing::TestWithParam<PlanRow>
{
};

TEST_P(PlanCropRows, GivesRatiosScaleCropAndOffsets)
{
    const PlanRow& row = GetParam();
    const std::optional<CropPlan> plan = PlanCrop(row.pictureWidth, row.pictureHeight, row.settings);
    ASSERT_TRUE(plan);
    EXPECT_NEAR(plan->widthRatio, row.widthRatio, 0.0001);
    EXPECT_NEAR(plan->heightRatio, row.heightRatio, 0.0001);
    EXPECT_DOUBLE_EQ(plan->cutWidthRatio, row.cutWidthRatio);
    EXPECT_DOUBLE_EQ(plan->cutHeightRatio, row.cutHeightRatio);
    EXPECT_DOUBLE_EQ(plan->scale, row.scale);
    EXPECT_EQ(plan->cropWidth, row.cropWidth);
    EXPECT_EQ(plan->cropHeight, row.cropHeight);
    EXPECT_EQ(plan->horizontalOffset, row.horizontalOffset);
    EXPECT_EQ(plan->verticalOffset, row.verticalOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlanCropRows,
    testing::Values(
        PlanRow{"tall_picture_capped", 1000, 1500, Sizes(240, 320), 4.1667, 2.5, 4.1, 2.5, 2.0, 480, 640, 260,
                430},
        PlanRow{"wide_picture_scale_exactly_two", 600, 700, Sizes(240, 320), 2.0, 2.1875, 2.0, 2.1, 2.0, 480,
                640, 60, 30},
        PlanRow{"small_picture", 300, 500, Sizes(240, 320), 1.25, 1.5625, 1.2, 1.5, 1.2, 288, 384, 6, 58},
        PlanRow{"odd_leftover_goes_right_and_down", 301, 501, Sizes(240, 320), 1.2542, 1.5656, 1.2, 1.5, 1.2,
                288, 384, 6, 58},
        PlanRow{"square_picture", 200, 200, Sizes(240, 320), 0.8333, 0.625, 0.8, 0.6, 0.6, 144, 192, 28, 4},
        PlanRow{"small_preview_area", 640, 480, Sizes(240, 320, 312, 520), 1.3, 1.5, 1.3, 1.5, 1.3, 312, 416,
                164, 32},
        PlanRow{"taller_and_wider_than_preview", 1024, 768, Sizes(240, 320, 408, 680), 4.2667, 2.125, 4.2,
                2.1, 2.0, 480, 640, 272, 64},
        PlanRow{"target_240x400", 1000, 1500, Sizes(240, 400), 4.1667, 2.0, 4.1, 2.0, 2.0, 480, 800, 260,
                350},
        PlanRow{"wide_target_exceeds_preview", 2000, 2000, Sizes(400, 240), 5.0, 3.3333, 5.0, 3.3, 2.0, 800,
                480, 600, 760},
        PlanRow{"under_a_tenth_of_the_target", 20, 500, Sizes(240, 320), 0.0833, 1.5625, 0.0, 1.5, 0.0, 0, 0,
                10, 250},
        PlanRow{"size_unknown", 0, 0, Sizes(240, 320), 0.0, 0.0, 0.0, 0.0, 0.0, 0, 0, 0, 0},
        PlanRow{"height_equal_to_preview_is_bounded_by_preview_height", 1000, 800, Sizes(240, 320), 4.1667,
                2.5, 4.1, 2.5, 2.0, 480, 640, 260, 80},
        PlanRow{"width_equal_to_preview_is_bounded_by_preview_width", 480, 700, Sizes(120, 320), 4.0, 2.1875,
                4.0, 2.1, 2.0, 240, 640, 120, 30},
        PlanRow{"wider_than_preview_is_bounded_by_preview_width", 900, 700, Sizes(240, 320), 2.0, 2.1875, 2.0,
                2.1, 2.0, 480, 640, 210, 30},
        PlanRow{"equal_cut_ratios", 300, 400, Sizes(240, 320), 1.25, 1.25, 1.2, 1.2, 1.2, 288, 384, 6, 8},
        PlanRow{"half_rounds_to_even", 130, 130, Sizes(245, 251), 0.5306, 0.5179, 0.5, 0.5, 0.5, 122, 126, 4,
                2},
        PlanRow{"crop_side_rounding_to_zero", 1000, 1000, Sizes(3, 320, 480, 32), 333.3333, 0.1, 333.3, 0.1,
                0.1, 0, 32, 500, 484}),
    [](const testing::TestParamInfo<PlanRow>& info) { return std::string(info.param.name); });

TEST(PlanCrop, ReportsAnEmptyCropForNothingToCut)
{
    EXPECT_TRUE(PlanCrop(20, 500, Sizes(240, 320))->empty());
    EXPECT_TRUE(PlanCrop(0, 0, Sizes(240, 320))->empty());
    EXPECT_TRUE(PlanCrop(1000, 1000, Sizes(3, 320, 480, 32))->empty());
    EXPECT_FALSE(PlanCrop(24, 32, Sizes(240, 320))->empty());
}

TEST(PlanCrop, RefusesWhatCannotBePlanned)
{
    EXPECT_FALSE(PlanCrop(1000, 1000, Sizes(0, 320)));
    EXPECT_FALSE(PlanCrop(1000, 1000, Sizes(240, 0)));
    EXPECT_FALSE(PlanCrop(1000, 1000, Sizes(-240, 320)));
    EXPECT_FALSE(PlanCrop(-1, 1000, Sizes(240, 320)));
    EXPECT_FALSE(PlanCrop(1000, -1, Sizes(240, 320)));
    EXPECT_FALSE(PlanCrop(1000, 1000, Sizes(240, 320, -480, 800)));
}

TEST(PlanCrop, HugePicturesStayCappedAndCentred)
{
    const auto plan = PlanCrop(INT32_MAX, INT32_MAX, Sizes(1, 1));
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->cropWidth, 2);
    EXPECT_EQ(plan->horizontalOffset, (INT32_MAX - 2) / 2);
}

// Whatever the sizes, the crop lies inside the picture and within the preview area in its bounded direction.
TEST(PlanCrop, CropAlwaysLiesInsideThePicture)
{
    const TrimSettings targets[] = {Sizes(240, 320),       Sizes(240, 400),
                                    Sizes(400, 240),       Sizes(245, 251, 312, 520),
                                    Sizes(7, 3, 408, 680), Sizes(32767, 32767, 32767, 32767)};
    for (const TrimSettings& settings : targets) {
        for (std::int32_t width = 0; width < 2100; width += 13) {
            for (std::int32_t height = 0; height < 2100; height += 17) {
                const auto plan = PlanCrop(width, height, settings);
                ASSERT_TRUE(plan);
                ASSERT_GE(plan->horizontalOffset, 0) << width << "x" << height;
                ASSERT_GE(plan->verticalOffset, 0) << width << "x" << height;
                ASSERT_LE(plan->horizontalOffset + plan->cropWidth, width);
                ASSERT_LE(plan->verticalOffset + plan->cropHeight, height);
                if (height >= settings.PreviewMaxHeight) {
                    ASSERT_LE(plan->cropHeight, settings.PreviewMaxHeight);
                } else if (width >= settings.PreviewMaxWidth) {
                    ASSERT_LE(plan->cropWidth, settings.PreviewMaxWidth);
                }
            }
        }
    }
}

TEST(CutToOneDecimal, DropsEverythingAfterTheFirstDecimalOnceRoundedAtTheSeventh)
{
    const struct
    {
        double ratio;
        double cut;
    } rows[] = {
        {0.0, 0.0},          {0.86, 0.8},        {2.19, 2.1},
        {4.1666666667, 4.1}, {2.0, 2.0},         {0.99999994, 0.9},
        {0.99999996, 1.0},   {2.09999996, 2.1},  {9999.99999996, 10000},
        {12345.678, 12345},  {123456.7, 123456}, {1234567.0, 123456},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(CutToOneDecimal(row.ratio), row.cut) << row.ratio;
}

} // namespace
