#include "fuzz/seeds/textseeds.h"

#include <array>
#include <cstdint>

namespace {

// A text as libFuzzer's FuzzedDataProvider reads it back: backslashes doubled, ended by "\" and a newline.
QByteArray ProviderText(const QByteArray& text)
{
    return QByteArray(text).replace("\\", "\\\\") + "\\\n";
}

// The provider takes an int16_t from the last two bytes, high byte last, counting up from -32768.
QByteArray ProviderInt16(std::int16_t value)
{
    const int raw = value + 32768;
    QByteArray bytes(1, char(raw & 0xFF));
    return bytes + char(raw >> 8);
}

struct SettingsWrite
{
    const char* section;
    const char* key;
    const char* value;
    std::int16_t bufferSize;
};

QByteArray AllByteValues()
{
    QByteArray bytes;
    for (int value = 0; value < 256; ++value)
        bytes += char(value);
    return bytes;
}

} // namespace

Seeds SettingsSeeds()
{
    const std::array<QByteArray, 10> files{
        QByteArray("[Kadrelle]\r\nDATAFILE=C:\\pics\\wall[00012].bmp\r\nSCREENSELECT=2\r\nFIXSIZE=1\r\n"
                   "VALWIDTH=1080\r\nVALHEIGHT=1920\r\n"),
        QByteArray("; written by hand\n[Other]\nDATAFILE=x\n\n[Kadrelle]\nVALWIDTH = 720 \n[Later]\nkey=v"),
        QByteArray("[kadrelle]\nVALWIDTH=1\nvalwidth=2\n[KADRELLE]\nVALWIDTH=3\n"),
        QByteArray(
            "[Kadrelle\nnot a key\n=novalue\nVALHEIGHT\n\t VALHEIGHT\t=\t640\t\n[ Kadrelle ]\nFIXSIZE=0"),
        QByteArray("\xEF\xBB\xBF[Kadrelle]\r\nDATAFILE=/\xE5\x86\x99\xE7\x9C\x9F/wall[00001].bmp\r\n"),
        QByteArray(),
        AllByteValues(),
        QByteArray("[Kadrelle]"),
        QByteArray("[Kadrelle]\r\nFIXSIZE=1\nSCREENSELECT=3\rVALWIDTH=5\r\n\r\n[x]\r\n"),
        QByteArray("[Kadrelle]\nDATAFILE=") + QByteArray(2000, 'p') + "\nVALWIDTH=9\n",
    };
    const std::array<SettingsWrite, 12> writes{{
        {"Kadrelle", "DATAFILE", "/pics/out[00000].bmp", 32767},
        {"Kadrelle", "VALWIDTH", " 1080 ", 256},
        {"New", "key", "value", 5},
        {"kadrelle", "datafile", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 4},
        {"Kadrelle", "NEWKEY", "a=b;c", 1},
        {"Kadrelle", "a=b", "refused", 0},
        {"x]y", "key", "refused", -1},
        {"Kadrelle", ";comment", "refused", 100},
        {"Kadrelle", "[section", "refused", 100},
        {"Kadrelle", "DATAFILE", "two\nlines", 100},
        {" Kadrelle ", " FIXSIZE\t", "\t0", 3},
        {"Later", "KEY", "", 2},
    }};
    Seeds seeds;
    std::size_t writeIndex = 0;
    for (std::size_t fileIndex = 0; fileIndex < files.size(); ++fileIndex) {
        for (int round = 0; round < 3; ++round, writeIndex = (writeIndex + 1) % writes.size()) {
            const SettingsWrite& write = writes[writeIndex];
            seeds.push_back({QStringLiteral("ini%1-write%2").arg(fileIndex).arg(writeIndex),
                             ProviderText(write.section) + ProviderText(write.key) +
                                 ProviderText(write.value) + files[fileIndex] +
                                 ProviderInt16(write.bufferSize)});
        }
    }
    return seeds;
}

Seeds PathSeeds()
{
    constexpr qsizetype NearLongestPath = 32760;
    Seeds seeds{
        {"plain", "/pics/wall[00012].bmp"},
        {"no-serial", "/pics/wall.bmp"},
        {"no-dot", "/pics/wall"},
        {"dots-in-folder", "/pics.old/v1.2/wall.tar.bmp"},
        {"serial-last", "/p/w[20000].bmp"},
        {"serial-beyond-last", "/p/w[20001].bmp"},
        {"serial-negative", "/p/w[-0001].bmp"},
        {"serial-blanks", "/p/w[ +12 ].bmp"},
        {"serial-not-a-number", "/p/w[0x1F0].bmp"},
        {"serial-only", "[00000]"},
        {"bare-name", "w.bmp"},
        {"one-separator", "/w[00003]"},
        {"hidden-name", "/p/.w[00001].bmp"},
        {"windows-path", "C:\\pics\\wall[00007].bmp"},
        {"japanese", "/\xE5\x86\x99\xE7\x9C\x9F/\xE5\xA3\x81\xE7\xB4\x99[00001].bmp"},
        {"empty", ""},
    };
    seeds.push_back({"near-longest", "/" + QByteArray(NearLongestPath, 'a') + "[00001].bmp"});
    seeds.push_back({"at-longest", "/" + QByteArray(NearLongestPath + 5, 'a') + ".bmp"});
    return seeds;
}
