// The serial-name operations and the two path splitters on any text (the input read as UTF-8).
#include "fuzz/fuzzsupport.h"
#include "outputname/pathparts.h"
#include "outputname/serialname.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

constexpr qsizetype BracketedWidth = 7; // "[", five characters, "]"

bool SameParts(const SerialName& a, const SerialName& b)
{
    return a.prefix == b.prefix && a.suffix == b.suffix;
}

bool HoldsSavedSerial(const std::optional<SerialName>& parts)
{
    return parts && parts->serial && *parts->serial >= 0 && *parts->serial <= LastSerial;
}

void CheckParse(const QString& path, const std::optional<SerialName>& parts)
{
    FUZZ_REQUIRE(parts.has_value() == (FirstDotOfFileName(path) < LongestPath));
    if (!parts)
        return;
    FUZZ_REQUIRE(parts->suffix.isEmpty() || parts->suffix.startsWith(u'.'));
    FUZZ_REQUIRE(!parts->suffix.contains(u'/'));
    const qsizetype serialWidth = parts->serial ? BracketedWidth : 0;
    FUZZ_REQUIRE(parts->prefix.size() + serialWidth + parts->suffix.size() == path.size());
    FUZZ_REQUIRE(path.startsWith(parts->prefix) && path.endsWith(parts->suffix));
    if (parts->serial) {
        FUZZ_REQUIRE(*parts->serial >= -9999 && *parts->serial <= 99999);
        FUZZ_REQUIRE(path[parts->prefix.size()] == u'[');
    }
}

// A path that took a serial can always be advanced and reset, keeping what stands around the serial.
void CheckEnsured(const std::optional<SerialName>& original, const QString& ensured)
{
    const std::optional<SerialName> parts = ParseSerialName(ensured);
    FUZZ_REQUIRE(HoldsSavedSerial(parts));
    FUZZ_REQUIRE(SameParts(*parts, *original));
    if (HoldsSavedSerial(original))
        FUZZ_REQUIRE(parts->serial == original->serial);
    else
        FUZZ_REQUIRE(parts->serial == 0);
    FUZZ_REQUIRE(EnsureSerial(ensured) == ensured);

    const std::optional<QString> advanced = AdvanceSerial(ensured);
    FUZZ_REQUIRE(advanced.has_value());
    const std::optional<SerialName> advancedParts = ParseSerialName(*advanced);
    FUZZ_REQUIRE(advancedParts && SameParts(*advancedParts, *parts));
    FUZZ_REQUIRE(advancedParts->serial == *parts->serial + 1);
    // One past the last serial comes back round to 00000.
    const std::optional<QString> advancedAgain = AdvanceSerial(*advanced);
    FUZZ_REQUIRE(advancedAgain.has_value());
    const std::optional<SerialName> againParts = ParseSerialName(*advancedAgain);
    FUZZ_REQUIRE(againParts && SameParts(*againParts, *parts));
    FUZZ_REQUIRE(againParts->serial ==
                 (*advancedParts->serial > LastSerial ? 0 : *advancedParts->serial + 1));

    const std::optional<QString> reset = ResetSerial(ensured);
    FUZZ_REQUIRE(reset.has_value() != parts->prefix.isEmpty());
    if (reset) {
        const std::optional<SerialName> resetParts = ParseSerialName(*reset);
        FUZZ_REQUIRE(resetParts && SameParts(*resetParts, *parts) && resetParts->serial == 0);
    }
}

void CheckSerialOperations(const QString& path)
{
    const std::optional<SerialName> parts = ParseSerialName(path);
    CheckParse(path, parts);

    const std::optional<QString> ensured = EnsureSerial(path);
    FUZZ_REQUIRE(!ensured || parts);
    if (ensured)
        CheckEnsured(parts, *ensured);
    else if (parts)
        FUZZ_REQUIRE(parts->prefix.size() + BracketedWidth >= LongestPath);

    for (const std::optional<QString>& changed : {AdvanceSerial(path), ResetSerial(path)}) {
        if (!changed)
            continue;
        const std::optional<SerialName> changedParts = ParseSerialName(*changed);
        FUZZ_REQUIRE(changedParts && parts && SameParts(*changedParts, *parts));
        FUZZ_REQUIRE(HoldsSavedSerial(changedParts) || changedParts->serial == LastSerial + 1);
    }
}

void CheckSplitters(const QString& path)
{
    const std::optional<FolderAndName> folderAndName = SplitFolderAndName(path);
    FUZZ_REQUIRE(folderAndName.has_value() == (path.size() <= LongestPath));
    if (folderAndName && !folderAndName->folder.isEmpty()) {
        FUZZ_REQUIRE(folderAndName->folder + folderAndName->name == path);
        FUZZ_REQUIRE(folderAndName->folder.endsWith(u'/') && !folderAndName->name.contains(u'/'));
        FUZZ_REQUIRE(folderAndName->folder.count(u'/') >= 2);
    } else if (folderAndName) {
        FUZZ_REQUIRE(folderAndName->name.isEmpty() && path.count(u'/') < 2);
    }

    const std::optional<FrontAndRest> frontAndRest = SplitAtFirstDot(path);
    FUZZ_REQUIRE(frontAndRest.has_value() == (path.size() <= LongestPath));
    if (!frontAndRest)
        return;
    FUZZ_REQUIRE(frontAndRest->front + frontAndRest->rest == path);
    FUZZ_REQUIRE(frontAndRest->rest.isEmpty() || frontAndRest->rest.startsWith(u'.'));
    const QString numbered = frontAndRest->front + QStringLiteral("[00000]") + frontAndRest->rest;
    const std::optional<SerialName> numberedParts = ParseSerialName(numbered);
    FUZZ_REQUIRE(numberedParts.has_value() == (frontAndRest->front.size() + BracketedWidth < LongestPath));
    if (numberedParts) {
        FUZZ_REQUIRE(numberedParts->serial == 0);
        FUZZ_REQUIRE(numberedParts->prefix == frontAndRest->front &&
                     numberedParts->suffix == frontAndRest->rest);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckSerialOperations(path);
    CheckSplitters(path);
    return 0;
}
