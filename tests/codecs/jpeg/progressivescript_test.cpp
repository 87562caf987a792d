// Which scan scripts of a progressive frame leave every coefficient at full precision, in an order a
// decoder accepts.
#include "codecs/jpeg/stream/progressivescript.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Scan
{
    std::vector<int> components;
    int spectralStart;
    int spectralEnd;
    int approximationHigh;
    int approximationLow;
};

struct ScriptCase
{
    const char* name;
    int componentCount;
    std::vector<Scan> scans;
    bool complete;
};

JpegStructure frameWith(const ScriptCase& script)
{
    JpegStructure structure;
    structure.frameMarker = 0xC2;
    structure.components.resize(std::size_t(script.componentCount));
    for (const Scan& scan : script.scans) {
        JpegScan read;
        read.components = scan.components;
        read.spectralStart = scan.spectralStart;
        read.spectralEnd = scan.spectralEnd;
        read.approximationHigh = scan.approximationHigh;
        read.approximationLow = scan.approximationLow;
        structure.scans.push_back(read);
    }
    return structure;
}

class ProgressionScript : public testing::TestWithParam<ScriptCase>
{
};

TEST_P(ProgressionScript, IsCompleteOnlyWhenEveryCoefficientEndsAtFullPrecision)
{
    EXPECT_EQ(FollowsCompleteProgression(frameWith(GetParam())), GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ProgressionScript,
    testing::Values(
        ScriptCase{"dcThenWholeBand", 1, {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}}, true},
        ScriptCase{"refinementsInOrder",
                   1,
                   {{{0}, 0, 0, 0, 1},
                    {{0}, 1, 63, 0, 2},
                    {{0}, 1, 63, 2, 1},
                    {{0}, 0, 0, 1, 0},
                    {{0}, 1, 63, 1, 0}},
                   true},
        ScriptCase{"interleavedDcThenBandsPerComponent",
                   3,
                   {{{0, 1, 2}, 0, 0, 0, 0},
                    {{0}, 1, 63, 0, 0},
                    {{1}, 1, 9, 0, 0},
                    {{1}, 10, 63, 0, 0},
                    {{2}, 1, 63, 0, 0}},
                   true},
        ScriptCase{"lastRefinementMissing", 1, {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 1}}, false},
        ScriptCase{"dcLeftOneBitShort", 1, {{{0}, 0, 0, 0, 1}, {{0}, 1, 63, 0, 0}}, false},
        ScriptCase{"coefficientNeverSent", 1, {{{0}, 0, 0, 0, 0}, {{0}, 1, 62, 0, 0}}, false},
        ScriptCase{"componentNeverGivenItsBand",
                   3,
                   {{{0, 1, 2}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}, {{1}, 1, 63, 0, 0}},
                   false},
        ScriptCase{"bandBeforeDc", 1, {{{0}, 1, 63, 0, 0}, {{0}, 0, 0, 0, 0}}, false},
        ScriptCase{
            "refinementSkippingABit", 1, {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 2}, {{0}, 1, 63, 2, 0}}, false},
        ScriptCase{"refinementOutOfOrder",
                   1,
                   {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 2}, {{0}, 1, 63, 1, 0}, {{0}, 1, 63, 2, 1}},
                   false},
        ScriptCase{"bandSentTwice", 1, {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}, {{0}, 1, 63, 0, 0}}, false},
        ScriptCase{"overlappingBands", 1, {{{0}, 0, 0, 0, 0}, {{0}, 1, 10, 0, 0}, {{0}, 5, 63, 0, 0}}, false},
        ScriptCase{"componentTwiceInOneScan", 2, {{{0, 0, 1}, 0, 0, 0, 0}}, false},
        ScriptCase{"dcScanWithABand", 1, {{{0}, 0, 63, 0, 0}}, false},
        ScriptCase{"bandPast63", 1, {{{0}, 0, 0, 0, 0}, {{0}, 1, 64, 0, 0}}, false},
        ScriptCase{"bandReversed", 1, {{{0}, 0, 0, 0, 0}, {{0}, 10, 5, 0, 0}, {{0}, 1, 63, 0, 0}}, false},
        ScriptCase{"bandOfTwoComponents", 2, {{{0, 1}, 0, 0, 0, 0}, {{0, 1}, 1, 63, 0, 0}}, false},
        ScriptCase{"approximationBeyond13", 1, {{{0}, 0, 0, 0, 14}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
