// A damaged settings file through the real window's start and close: the window starts with what it can
// read and the defaults for the rest, and its close always goes ahead without a word.
#include "settings/inifile.h"
#include "tests/app/formfixture.h"
#include "tests/support/filesystemguards.h"
#include "toolkit/combobox.h"
#include "toolkit/optionbutton.h"
#include "toolkit/textbox.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <iostream>
#include <sys/resource.h>

namespace {

constexpr qint64 GenerousBoundMs = 20000;

// What the window shows after its start.
struct Shown
{
    QString Text1;
    bool option1 = true;
    int listIndex = 1;
    QString Text2 = QStringLiteral("240");
    QString Text3 = QStringLiteral("400");
};

enum class Place { File, Folder, ReadOnlyProgramFolder, ReadOnlyFile };

struct DamagedSettings
{
    const char* name;
    QByteArray (*content)();
    Place place;
    Shown shown;
};

void PrintTo(const DamagedSettings& damaged, std::ostream* stream)
{
    *stream << damaged.name;
}

QByteArray Garbage(qsizetype size, quint32 seed)
{
    QByteArray garbage(size, '\0');
    QRandomGenerator random(seed);
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    // Keeps the garbage from opening a section of its own or ending the line of the key before it.
    return garbage.replace('[', '(').replace('\n', ' ').replace('\r', ' ');
}

QByteArray BinaryGarbage()
{
    return Garbage(4096, 11) + "\n[Kadrelle]\nFIXSIZE=0\n" + Garbage(4096, 12) + "\nVALHEIGHT=320\n";
}

QByteArray TenMegabytes()
{
    QByteArray content = "[Kadrelle]\nSCREENSELECT=Option2\n";
    while (content.size() < 10 * 1024 * 1024)
        content += "UNKNOWN=0123456789012345678901234567890123456789012345678901234567890123456789\n";
    return content + "VALWIDTH=300\n";
}

// Many short lines up to just below the size limit, in another section and in ours before our keys, so that
// a start and a close walk every line.
QByteArray AtTheSizeLimit()
{
    const QByteArray keys = "DATAFILE=/pics/a[00001].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\nVALWIDTH=300\n"
                            "VALHEIGHT=500\n";
    const qsizetype size = LargestIniFile - 64;
    QByteArray content = "[Other]\n";
    content.reserve(size);
    while (content.size() < size / 2)
        content += "a=1\n";
    content += "[Kadrelle]\n";
    while (content.size() < size - keys.size() - 4)
        content += "b=2\n";
    return content + keys;
}

QByteArray LinesWithoutEquals()
{
    return "[Kadrelle]\nDATAFILE\nSCREENSELECT Option2\njust words\nVALWIDTH=260\n";
}

QByteArray SectionAndKeyTwice()
{
    return "[Kadrelle]\nFIXSIZE=0\nVALWIDTH=250\nfixsize=1\n[Other]\nVALWIDTH=1\n[KADRELLE]\nVALHEIGHT=300\n"
           "FIXSIZE=1\n";
}

QByteArray TenThousandCharacters()
{
    return "[Kadrelle]\nDATAFILE=" + QByteArray(10000, 'p') + "\nVALWIDTH=" + QByteArray(10000, '1') + "\n";
}

QByteArray Good()
{
    return "[Kadrelle]\nDATAFILE=/pics/wall[00007].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\nVALWIDTH=300\n"
           "VALHEIGHT=500\n";
}

class DamagedSettingsStart : public FormTest, public testing::WithParamInterface<DamagedSettings>
{
  protected:
    void expectShown(const Shown& expected)
    {
        EXPECT_EQ(control<TextBox>("Text1")->text(), expected.Text1);
        EXPECT_EQ(control<OptionButton>("Option1")->Value(), expected.option1);
        EXPECT_EQ(control<ComboBox>("Combo1")->ListIndex(), expected.listIndex);
        EXPECT_EQ(control<TextBox>("Text2")->text(), expected.Text2);
        EXPECT_EQ(control<TextBox>("Text3")->text(), expected.Text3);
    }
    QStringList folderEntries() const
    {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_P(DamagedSettingsStart, StartsWithWhatItCanReadAndClosesQuietly)
{
    const DamagedSettings& damaged = GetParam();
    if (damaged.place == Place::Folder)
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Kadrelle.ini")));
    else
        writeSettings(damaged.content());
    const QByteArray stored = readSettings();
    std::optional<Immutable> readOnly;
    if (damaged.place == Place::ReadOnlyProgramFolder || damaged.place == Place::ReadOnlyFile) {
        readOnly.emplace(damaged.place == Place::ReadOnlyFile ? settingsPath() : folder.path());
        if (!readOnly->active())
            GTEST_SKIP() << "this file system cannot make a file or folder read-only for root";
    }

    QElapsedTimer timer;
    timer.start();
    open();
    const qint64 startMs = timer.elapsed();
    std::cout << "[ start    ] " << damaged.name << ": " << startMs << " ms\n";
    expectShown(damaged.shown);

    control<TextBox>("Text1")->setText(QStringLiteral("/closed/at[00002].bmp"));
    timer.restart();
    EXPECT_TRUE(form->close());
    const qint64 closeMs = timer.elapsed();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::cout << "[ close    ] " << damaged.name << ": " << closeMs << " ms, peak memory "
              << usage.ru_maxrss / 1024 << " MiB\n";
    // The figures above are the measure; these bounds only catch a walk over the whole file per key or per
    // line, which took about a minute on a file at the size limit.
    EXPECT_LT(startMs, GenerousBoundMs);
    EXPECT_LT(closeMs, GenerousBoundMs);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(messageBoxShown());
    form.reset();
    readOnly.reset();

    if (damaged.place == Place::File) {
        // The next start finds what this close stored.
        Shown closed = damaged.shown;
        closed.Text1 = QStringLiteral("/closed/at[00002].bmp");
        open();
        expectShown(closed);
    } else {
        EXPECT_EQ(readSettings(), stored);
        EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("Kadrelle.ini")});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSettingsStart,
    testing::Values(
        DamagedSettings{"binaryGarbage", BinaryGarbage, Place::File, {{}, true, 0, "240", "320"}},
        DamagedSettings{"tenMegabyteFile", TenMegabytes, Place::File, {{}, false, 1, "300", "400"}},
        DamagedSettings{"fileAtTheSizeLimit",
                        AtTheSizeLimit,
                        Place::File,
                        {QStringLiteral("/pics/a[00001].bmp"), false, 0, "300", "500"}},
        DamagedSettings{"linesWithoutEquals", LinesWithoutEquals, Place::File, {{}, true, 1, "260", "400"}},
        DamagedSettings{
            "sameSectionAndKeyTwice", SectionAndKeyTwice, Place::File, {{}, true, 0, "250", "400"}},
        DamagedSettings{"valuesOfTenThousandCharacters",
                        TenThousandCharacters,
                        Place::File,
                        {QString(255, u'p'), true, 1, "240", "400"}},
        DamagedSettings{"settingsFileThatIsAFolder", nullptr, Place::Folder, {}},
        DamagedSettings{"readOnlyProgramFolder",
                        Good,
                        Place::ReadOnlyProgramFolder,
                        {QStringLiteral("/pics/wall[00007].bmp"), false, 0, "300", "500"}},
        DamagedSettings{"readOnlySettingsFile",
                        Good,
                        Place::ReadOnlyFile,
                        {QStringLiteral("/pics/wall[00007].bmp"), false, 0, "300", "500"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
