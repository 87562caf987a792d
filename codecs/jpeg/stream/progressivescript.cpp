#include "codecs/jpeg/stream/progressivescript.h"

#include <algorithm>
#include <array>

namespace {

constexpr int lastCoefficient = 63;
constexpr int lowestApproximationAllowed = 13;
// The precision a coefficient was left at by the last scan that held it: the bits still to come, or
// notSent.
constexpr int notSent = -1;

using Precisions = std::array<int, lastCoefficient + 1>;

bool isWellFormed(const JpegScan& scan)
{
    const bool dc = scan.spectralStart == 0;
    if (dc ? scan.spectralEnd != 0
           : scan.spectralEnd < scan.spectralStart || scan.spectralEnd > lastCoefficient ||
                 scan.components.size() != 1)
        return false;
    if (scan.approximationLow > lowestApproximationAllowed)
        return false;
    return scan.approximationHigh == 0 || scan.approximationLow == scan.approximationHigh - 1;
}

} // namespace

bool FollowsCompleteProgression(const JpegStructure& structure)
{
    std::vector<Precisions> precisions(structure.components.size());
    for (Precisions& component : precisions)
        component.fill(notSent);
    for (const JpegScan& scan : structure.scans) {
        if (!isWellFormed(scan))
            return false;
        for (const int component : scan.components) {
            Precisions& sent = precisions[std::size_t(component)];
            if (scan.spectralStart > 0 && sent[0] == notSent)
                return false;
            for (int k = scan.spectralStart; k <= scan.spectralEnd; ++k) {
                const int expected = scan.approximationHigh == 0 ? notSent : scan.approximationHigh;
                if (sent[std::size_t(k)] != expected)
                    return false;
                sent[std::size_t(k)] = scan.approximationLow;
            }
        }
    }
    return std::all_of(precisions.begin(), precisions.end(), [](const Precisions& component) {
        return std::all_of(component.begin(), component.end(), [](int left) { return left == 0; });
    });
}
