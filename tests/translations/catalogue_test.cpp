// The English catalogue against the sources: every text the sources mark has a finished English translation,
// lupdate run afresh finds nothing new or gone, no Japanese text in the sources escapes marking, and the
// compiled translation the programs carry gives each text its English.
#include "tests/translations/catalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

const char* const UpdateHint =
    "\nAdd it with `cmake --build build --target update_translations` and give each "
    "new text its English in translations/kadrelle_en.ts.";

std::vector<CatalogueEntry> Read(const QString& path)
{
    QString error;
    std::vector<CatalogueEntry> entries = ReadCatalogue(path, error);
    EXPECT_TRUE(error.isEmpty()) << path.toStdString() << ": " << error.toStdString();
    return entries;
}

// Every entry that is no finished translation, one per line.
QString Problems(const std::vector<CatalogueEntry>& entries)
{
    QString problems;
    for (const CatalogueEntry& entry : entries)
        if (const QString problem = TranslationProblem(entry); !problem.isEmpty())
            problems += Described(entry) + QStringLiteral(": ") + problem + QLatin1Char('\n');
    return problems;
}

QStringList TextSources()
{
    QFile list(QStringLiteral(KADRELLE_TEXT_SOURCES_LIST));
    EXPECT_TRUE(list.open(QIODevice::ReadOnly | QIODevice::Text));
    return QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString ReadSource(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The string literals of C++ source text outside comments, their escapes resolved. Adjacent literals come
// one by one.
QStringList StringLiterals(const QString& code)
{
    QStringList literals;
    qsizetype at = 0;
    while (at < code.size()) {
        const QChar c = code[at];
        if (code.mid(at, 2) == QLatin1String("//")) {
            at = code.indexOf(QLatin1Char('\n'), at);
            if (at < 0)
                break;
        } else if (code.mid(at, 2) == QLatin1String("/*")) {
            at = code.indexOf(QLatin1String("*/"), at + 2);
            if (at < 0)
                break;
            at += 2;
        } else if (c == QLatin1Char('\'')) {
            // A character literal, which may be a quote itself.
            for (++at; at < code.size() && code[at] != QLatin1Char('\''); ++at)
                if (code[at] == QLatin1Char('\\'))
                    ++at;
            ++at;
        } else if (c == QLatin1Char('"')) {
            QString literal;
            for (++at; at < code.size() && code[at] != QLatin1Char('"'); ++at) {
                if (code[at] == QLatin1Char('\\') && at + 1 < code.size()) {
                    ++at;
                    literal += code[at] == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : code[at];
                } else {
                    literal += code[at];
                }
            }
            literals.append(literal);
            ++at;
        } else {
            ++at;
        }
    }
    return literals;
}

bool HoldsJapanese(const QString& text)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

// Takes the English translation the programs carry for the life of the test.
class CompiledTranslation : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/kadrelle_en.qm")));
        QCoreApplication::installTranslator(&translator);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }

    QTranslator translator;
};

} // namespace

TEST(Catalogue, EveryTextHasAFinishedEnglishTranslation)
{
    const std::vector<CatalogueEntry> entries = Read(QStringLiteral(KADRELLE_TS_FILE));
    EXPECT_GE(entries.size(), 20u);
    EXPECT_EQ(Problems(entries).toStdString(), "");
}

// A text added to the sources without an English translation, or one whose source changed, fails here.
TEST(Catalogue, LupdateFindsNoTextWithoutTranslation)
{
    QTemporaryDir folder;
    const QString updated = folder.filePath(QStringLiteral("kadrelle_en.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KADRELLE_TS_FILE), updated));
    const QString sourceList = folder.filePath(QStringLiteral("sources.lst"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KADRELLE_TEXT_SOURCES_LIST), sourceList));

    QProcess lupdate;
    lupdate.start(QStringLiteral(KADRELLE_LUPDATE),
                  QStringLiteral(KADRELLE_LUPDATE_OPTIONS).split(QLatin1Char(' ')) +
                      QStringList{QLatin1Char('@') + sourceList, QStringLiteral("-ts"), updated});
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const std::vector<CatalogueEntry> entries = Read(updated);
    EXPECT_EQ(entries.size(), Read(QStringLiteral(KADRELLE_TS_FILE)).size()) << UpdateHint;
    EXPECT_EQ(Problems(entries).toStdString(), "") << UpdateHint;
}

// lupdate sees only marked texts: a Japanese text written straight into a QString would stay Japanese in
// English.
TEST(Catalogue, EveryJapaneseTextInTheSourcesIsInTheCatalogue)
{
    QStringList sources;
    for (const CatalogueEntry& entry : Read(QStringLiteral(KADRELLE_TS_FILE)))
        sources.append(entry.source);
    const QStringList files = TextSources();
    ASSERT_GE(files.size(), 50);

    int japanese = 0;
    for (const QString& file : files) {
        for (const QString& literal : StringLiterals(ReadSource(file))) {
            if (!HoldsJapanese(literal))
                continue;
            ++japanese;
            const bool catalogued = std::any_of(sources.begin(), sources.end(), [&](const QString& source) {
                return source.contains(literal);
            });
            EXPECT_TRUE(catalogued) << file.toStdString() << ": \"" << literal.toStdString()
                                    << "\" is not marked for translation" << UpdateHint;
        }
    }
    EXPECT_GE(japanese, 20);
}

TEST_F(CompiledTranslation, GivesEveryTextItsEnglish)
{
    for (const CatalogueEntry& entry : Read(QStringLiteral(KADRELLE_TS_FILE))) {
        const QByteArray context = entry.context.toUtf8();
        const QByteArray source = entry.source.toUtf8();
        if (entry.numerus) {
            ASSERT_EQ(entry.translations.size(), 2) << Described(entry).toStdString();
            for (int count : {1, 2}) {
                QString expected = entry.translations[count == 1 ? 0 : 1];
                expected.replace(QStringLiteral("%n"), QString::number(count));
                EXPECT_EQ(QCoreApplication::translate(context, source, nullptr, count), expected)
                    << Described(entry).toStdString();
            }
        } else {
            ASSERT_EQ(entry.translations.size(), 1) << Described(entry).toStdString();
            EXPECT_EQ(QCoreApplication::translate(context, source), entry.translations[0])
                << Described(entry).toStdString();
        }
    }
}
