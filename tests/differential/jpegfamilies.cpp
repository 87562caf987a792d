// JPEG pictures written by libjpeg with options chosen from T.81's rules: colour spaces, sampling factors
// (whole ratios, at most ten blocks in an interleaved MCU), quality, Huffman tables of the standard or made
// for the picture, arithmetic coding, restart intervals in MCUs or rows, sequential scans of some
// components each, and progressive scripts of spectral bands and successive approximation, complete or
// stopping short.
#include "tests/differential/differentialpicture.h"
#include "tests/support/pictures/libjpegwritten.h"
#include "tests/support/pictures/patterns.h"

#include <algorithm>
#include <array>

using namespace testpictures;

namespace {

constexpr int mostBlocksInMcu = 10;

struct Colours
{
    const char* name;
    int components;
    bool grey, rgb, cmyk, ycck;
};

const std::vector<Colours> colourSpaces = {
    {"grey", 1, true, false, false, false}, {"ycc", 3, false, false, false, false},
    {"ycc", 3, false, false, false, false}, {"rgb", 3, false, true, false, false},
    {"cmyk", 4, false, false, true, false}, {"ycck", 4, false, false, true, true},
};

// Sampling factors of the first component and of the others along one direction: whole ratios only.
const std::vector<std::array<int, 2>> factorPairs = {{1, 1}, {1, 1}, {2, 1}, {2, 1}, {1, 2},
                                                     {2, 2}, {3, 1}, {4, 1}, {4, 2}, {3, 3}};

int blocksInMcu(const JpegVariant& variant, int components)
{
    return variant.lumaH * variant.lumaV + (components - 1) * variant.chromaH * variant.chromaV;
}

QSize chooseSize(Choices& choices)
{
    if (choices.chance(20))
        return {choices.between(1, 40), choices.between(1, 40)};
    if (choices.chance(15))
        return {choices.between(320, 900), choices.between(240, 700)};
    return {choices.between(40, 320), choices.between(40, 240)};
}

// Colours, sampling, quality, coding and restarts; sampling whose MCU holds more than `largestMcu` blocks
// is chosen again.
JpegVariant chooseVariant(Choices& choices, const Colours& colours, int largestMcu, QString& name)
{
    JpegVariant variant;
    variant.grey = colours.grey;
    variant.rgb = colours.rgb;
    variant.cmyk = colours.cmyk;
    variant.ycck = colours.ycck;
    do {
        const auto& [lumaH, chromaH] = choices.oneOf(factorPairs);
        const auto& [lumaV, chromaV] = choices.oneOf(factorPairs);
        variant.lumaH = lumaH;
        variant.chromaH = chromaH;
        variant.lumaV = lumaV;
        variant.chromaV = chromaV;
    } while (colours.components > 1 && blocksInMcu(variant, colours.components) > largestMcu);
    variant.quality = choices.between(30, 100);
    // Arithmetic coding adapts as it goes: libjpeg makes no Huffman tables for it.
    variant.arithmetic = choices.chance(20);
    variant.optimizeCoding = !variant.arithmetic && choices.chance(30);
    const int restarts = choices.between(1, 4);
    if (restarts == 1)
        variant.restartInterval = choices.between(1, 20);
    else if (restarts == 2)
        variant.restartRows = choices.between(1, 3);
    name = QStringLiteral("%1_%2x%3_%4x%5_q%6%7%8%9%10")
               .arg(colours.name)
               .arg(variant.lumaH)
               .arg(variant.lumaV)
               .arg(variant.chromaH)
               .arg(variant.chromaV)
               .arg(variant.quality)
               .arg(variant.optimizeCoding ? "_optimized" : "")
               .arg(variant.arithmetic ? "_arithmetic" : "")
               .arg(variant.restartInterval != 0 ? QStringLiteral("_restart%1").arg(variant.restartInterval)
                                                 : QString())
               .arg(variant.restartRows != 0 ? QStringLiteral("_restartRows%1").arg(variant.restartRows)
                                             : QString());
    return variant;
}

int blocksOf(const JpegVariant& variant, int component)
{
    return component == 0 ? variant.lumaH * variant.lumaV : variant.chromaH * variant.chromaV;
}

// Sequential scans, each of some components in the frame's order, every component in one of them.
std::vector<JpegScanStep> scanPerGroup(Choices& choices, const JpegVariant& variant, int components)
{
    std::vector<JpegScanStep> scans;
    for (int component = 0; component < components; ++component) {
        const bool joins = !scans.empty() && choices.chance(40) && scans.back().components.size() < 4;
        int blocks = blocksOf(variant, component);
        if (joins) {
            for (const int earlier : scans.back().components)
                blocks += blocksOf(variant, earlier);
        }
        if (joins && blocks <= mostBlocksInMcu)
            scans.back().components.push_back(component);
        else
            scans.push_back({{component}, 0, 63, 0, 0});
    }
    return scans;
}

// A progressive script (T.81, G.1.1.1): each component's DC first, interleaved where the MCU allows, with
// a point transform; its AC coefficients in bands, each sent first with a point transform and refined a
// bit at a time; the refinements mixed in any order that keeps each band's own. Stopping short drops the
// last refinement of one band or its whole band, so some coefficient never reaches full precision.
std::vector<JpegScanStep> progressiveScript(Choices& choices, const JpegVariant& variant, int components,
                                            bool stopsShort)
{
    std::vector<int> dcLow(static_cast<std::size_t>(components));
    int allBlocks = 0;
    for (int component = 0; component < components; ++component) {
        dcLow[std::size_t(component)] = choices.between(0, 2);
        allBlocks += blocksOf(variant, component);
    }
    const bool interleaveDc = components > 1 && allBlocks <= mostBlocksInMcu && choices.chance(60);
    if (interleaveDc)
        std::fill(dcLow.begin(), dcLow.end(), dcLow.front());
    std::vector<JpegScanStep> first;
    // Each component's or band's scans after the first, in their own order.
    std::vector<std::vector<JpegScanStep>> chains;
    const auto refinements = [](std::vector<int> components, int start, int end, int low) {
        std::vector<JpegScanStep> steps;
        for (int high = low; high > 0; --high)
            steps.push_back({components, start, end, high, high - 1});
        return steps;
    };
    if (interleaveDc) {
        std::vector<int> all(static_cast<std::size_t>(components));
        for (int component = 0; component < components; ++component)
            all[std::size_t(component)] = component;
        first.push_back({all, 0, 0, 0, dcLow.front()});
        chains.push_back(refinements(all, 0, 0, dcLow.front()));
    } else {
        for (int component = 0; component < components; ++component) {
            first.push_back({{component}, 0, 0, 0, dcLow[std::size_t(component)]});
            chains.push_back(refinements({component}, 0, 0, dcLow[std::size_t(component)]));
        }
    }
    for (int component = 0; component < components; ++component) {
        int start = 1;
        const int bands = choices.between(1, 4);
        for (int band = 0; band < bands && start <= 63; ++band) {
            const int end = band == bands - 1 ? 63 : choices.between(start, std::min(63, start + 30));
            const int low = choices.between(0, 3);
            std::vector<JpegScanStep> chain = {{{component}, start, end, 0, low}};
            const std::vector<JpegScanStep> refined = refinements({component}, start, end, low);
            chain.insert(chain.end(), refined.begin(), refined.end());
            chains.push_back(chain);
            start = end + 1;
        }
    }
    if (stopsShort) {
        // A chain with a refinement loses its last one; a chain of an AC band alone may go whole.
        std::vector<std::vector<JpegScanStep>*> shortened;
        for (std::vector<JpegScanStep>& chain : chains) {
            if (!chain.empty() && (chain.back().approximationHigh != 0 || chain.front().spectralStart > 0))
                shortened.push_back(&chain);
        }
        if (!shortened.empty())
            choices.oneOf(shortened)->pop_back();
    }
    std::vector<JpegScanStep> script = first;
    // The chains of AC bands start with their first scan; those of DC with a refinement. Each step takes
    // the next scan of a chain chosen at random.
    std::vector<std::size_t> next(chains.size(), 0);
    for (bool left = true; left;) {
        std::vector<std::size_t> open;
        for (std::size_t chain = 0; chain < chains.size(); ++chain) {
            if (next[chain] < chains[chain].size())
                open.push_back(chain);
        }
        left = !open.empty();
        if (left) {
            const std::size_t chain = choices.oneOf(open);
            script.push_back(chains[chain][next[chain]++]);
        }
    }
    return script;
}

DifferentialPicture written(const QString& name, QSize size, const JpegVariant& variant,
                            const std::vector<JpegScanStep>& script = {})
{
    return {QStringLiteral("%1_%2x%3").arg(name).arg(size.width()).arg(size.height()),
            LibjpegWritten(PhotoLikePicture(size.width(), size.height()), variant, script)};
}

} // namespace

std::vector<DifferentialPicture> JpegSequentialPictures()
{
    Choices choices(0x5e9);
    std::vector<DifferentialPicture> pictures;
    for (int i = 0; i < 150; ++i) {
        const Colours& colours = choices.oneOf(colourSpaces);
        QString name;
        const JpegVariant variant = chooseVariant(choices, colours, mostBlocksInMcu, name);
        const QSize size = chooseSize(choices);
        if (colours.components > 1 && choices.chance(20))
            pictures.push_back(written(name + "_scanPerGroup", size, variant,
                                       scanPerGroup(choices, variant, colours.components)));
        else
            pictures.push_back(written(name, size, variant));
    }
    return pictures;
}

std::vector<DifferentialPicture> JpegProgressivePictures()
{
    Choices choices(0x9a2);
    std::vector<DifferentialPicture> pictures;
    for (int i = 0; i < 150; ++i) {
        const Colours& colours = choices.oneOf(colourSpaces);
        // Scans of one component each hold MCUs of one block: any sampling of whole ratios will do.
        QString name;
        JpegVariant variant = chooseVariant(choices, colours, 4 * 4 + 3 * 2 * 2, name);
        variant.progressive = true;
        const QSize size = chooseSize(choices);
        const bool libjpegsScript =
            blocksInMcu(variant, colours.components) <= mostBlocksInMcu && choices.chance(25);
        if (libjpegsScript) {
            pictures.push_back(written(name + "_libjpegScript", size, variant));
            continue;
        }
        const bool stopsShort = choices.chance(35);
        pictures.push_back(written(name + (stopsShort ? "_stopsShort" : "_script"), size, variant,
                                   progressiveScript(choices, variant, colours.components, stopsShort)));
    }
    return pictures;
}
