// The settings file reader and writer on any file: read a key, write a key, read it back, and check that
// every other key kept its value.
//
// Input layout (libFuzzer's FuzzedDataProvider): section, key and value as backslash-terminated texts,
// then the file's bytes, and the reader's buffer size in the last two bytes.
#include "fuzz/fuzzsupport.h"
#include "fuzz/qtfuzzapp.h"
#include "settings/appsettings.h"
#include "settings/initext.h"

#include <QByteArrayList>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <utility>
#include <vector>

namespace {

// The longest section, key or value taken from an input.
constexpr std::size_t LongestText = 512;
// Enough names from the file to compare the keys around the written one, few enough to stay fast.
constexpr qsizetype NamesChecked = 8;
// Every settings-file access costs far more than the text work (each read sets aside a buffer for the
// largest settings file), so only about one input in this many also goes through the file.
constexpr std::uint32_t FileRoundTripOneIn = 32;

const QString DefaultText = QStringLiteral("\u00abdefault\u00bb");

QString ScratchIniPath()
{
    return QString::fromStdString((fuzz::ScratchFolder() / "Kadrelle.ini").string());
}

QByteArray ReadWhole(const QString& path)
{
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void ReplaceFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_REQUIRE(file.write(content) == content.size());
}

bool SameName(QStringView a, QStringView b)
{
    return TrimIniBlanks(a).compare(TrimIniBlanks(b), Qt::CaseInsensitive) == 0;
}

// Section and key names as they stand in the file, found roughly: a wrong guess only asks for a missing key.
std::pair<QStringList, QStringList> NamesInFile(const QByteArray& content)
{
    QStringList sections;
    QStringList keys;
    for (QByteArray line : content.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            if (sections.size() < NamesChecked)
                sections << QString::fromUtf8(line.mid(1, close < 0 ? -1 : close - 1));
        } else if (const qsizetype equals = line.indexOf('='); equals > 0 && keys.size() < NamesChecked) {
            keys << QString::fromUtf8(line.first(equals));
        }
    }
    return {sections, keys};
}

// The reader hands back the value cut to the buffer: a start of it without a NUL that fits size - 1 bytes.
void CheckRead(const QString& section, const QString& key, std::int16_t size, const QByteArray& content)
{
    const QString read = ReadIniString(section, key, DefaultText, size);
    const QString whole = FindIniValue(content, section, key).value_or(DefaultText);
    FUZZ_REQUIRE(whole.startsWith(read));
    FUZZ_REQUIRE(!read.contains(QChar(0)));
    FUZZ_REQUIRE(read.toUtf8().size() <= std::max(0, size - 1));
    if (whole.toUtf8().size() < size && !whole.contains(QChar(0)))
        FUZZ_REQUIRE(read == whole);
}

struct IniWrite
{
    QString section;
    QString key;
    QString value;
};

// The written key reads back as the value without its surrounding blanks, writing it again changes nothing,
// and every other key keeps its value.
void CheckWrittenText(const QByteArray& before, const IniWrite& write, const QByteArray& after)
{
    FUZZ_REQUIRE(FindIniValue(after, write.section, write.key) == TrimIniBlanks(write.value).toString());
    FUZZ_REQUIRE(WithIniValue(after, write.section, write.key, write.value) == after);
    auto [sections, keys] = NamesInFile(before);
    sections << write.section;
    keys << write.key;
    for (const QString& section : sections) {
        for (const QString& key : keys) {
            if (SameName(section, write.section) && SameName(key, write.key))
                continue;
            FUZZ_REQUIRE(FindIniValue(after, section, key) == FindIniValue(before, section, key));
        }
    }
}

// The same write through the settings file: a refused write leaves the file as it was.
void CheckFileRoundTrip(const QByteArray& before, const IniWrite& write, std::int16_t bufferSize,
                        const std::optional<QByteArray>& expected)
{
    const QString path = ScratchIniPath();
    FUZZ_REQUIRE(IniFilePath() == path);
    ReplaceFile(path, before);
    CheckRead(write.section, write.key, bufferSize, before);
    const bool written = WriteIniString(write.section, write.key, write.value);
    const QByteArray after = ReadWhole(path);
    // The scratch folder is writable, so only the text itself can refuse the write.
    FUZZ_REQUIRE(written == expected.has_value());
    FUZZ_REQUIRE(after == expected.value_or(before));
    CheckRead(write.section, write.key, bufferSize, after);
}

// FNV-1a: the same input always takes the same way, whatever input it was mutated from.
std::uint32_t InputHash(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t hash = 2166136261u;
    for (std::size_t index = 0; index < size; ++index)
        hash = (hash ^ data[index]) * 16777619u;
    return hash;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartQtApplication();
    SetAppFolder(QString::fromStdString(fuzz::ScratchFolder().string()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto bufferSize = input.ConsumeIntegral<std::int16_t>();
    const bool throughFile = InputHash(data, size) % FileRoundTripOneIn == 0;
    IniWrite write;
    write.section = QString::fromStdString(input.ConsumeRandomLengthString(LongestText));
    write.key = QString::fromStdString(input.ConsumeRandomLengthString(LongestText));
    write.value = QString::fromStdString(input.ConsumeRandomLengthString(LongestText));
    const std::vector<std::uint8_t> fileBytes = input.ConsumeRemainingBytes<std::uint8_t>();
    const QByteArray before(reinterpret_cast<const char*>(fileBytes.data()), qsizetype(fileBytes.size()));

    const std::optional<QByteArray> expected = WithIniValue(before, write.section, write.key, write.value);
    if (expected)
        CheckWrittenText(before, write, *expected);
    if (throughFile)
        CheckFileRoundTrip(before, write, bufferSize, expected);
    return 0;
}
