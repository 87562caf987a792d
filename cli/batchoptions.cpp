#include "cli/batchoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <limits>

namespace {

// "240x320" (or with "X" or "×"): both sides from 1 to 32767, the range of the window's sizes.
std::optional<std::pair<std::int16_t, std::int16_t>> ParseDimensions(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})[xX×]([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    constexpr int largest = std::numeric_limits<std::int16_t>::max();
    if (width < 1 || height < 1 || width > largest || height > largest)
        return std::nullopt;
    return std::pair{std::int16_t(width), std::int16_t(height)};
}

// Reads a WxH option when it was given; false, with a message, when its value is no usable size.
bool ReadDimensions(const QCommandLineParser& parser, const QCommandLineOption& option, std::int16_t& width,
                    std::int16_t& height, QString& error)
{
    if (!parser.isSet(option))
        return true;
    const auto dimensions = ParseDimensions(parser.value(option));
    if (!dimensions) {
        error =
            QCoreApplication::translate(
                "BatchOptions", "--%1 には 240x320 のように 1 から 32767 の幅と高さを指定してください: %2")
                .arg(option.names().constFirst(), parser.value(option));
        return false;
    }
    std::tie(width, height) = *dimensions;
    return true;
}

// Reads --jobs when it was given; false, with a message, when its value is no count from 1 to MostJobs.
bool ReadJobs(const QCommandLineParser& parser, const QCommandLineOption& option, int& jobs, QString& error)
{
    if (!parser.isSet(option))
        return true;
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,3}$"));
    const QString text = parser.value(option);
    const int value = pattern.match(text).hasMatch() ? text.toInt() : 0;
    if (value < 1 || value > MostJobs) {
        error =
            QCoreApplication::translate("BatchOptions", "--jobs には 1 から %1 の数を指定してください: %2")
                .arg(MostJobs)
                .arg(text);
        return false;
    }
    jobs = value;
    return true;
}

} // namespace

QString BatchHelpText()
{
    return QCoreApplication::translate(
               "BatchOptions",
               "使い方: kadrelle-trim --output PATH [--target WxH] [--preview WxH] [--jobs N] [--recursive]\n"
               "                      [--no-overwrite] FILE|FOLDER...\n"
               "\n"
               "各画像の中央から目標サイズの縦横比で切り出し、24 ビットの BMP として保存します。\n"
               "窓に画像をドロップしたときと同じ処理を、指定した順の連番で行います。\n"
               "\n"
               "  --output PATH   保存先。ファイル名の最初の \".\" の前 (\".\" がなければ末尾) にある\n"
               "                  [00000] 形式の連番の名前で保存します。連番がなければ付け、20000 を\n"
               "                  超えていれば 00000 に戻し、保存に成功するたびに 1 つ進めます。\n"
               "  --target WxH    目標の画面サイズ (既定 240x320)。切り出しはその 0.1 倍刻み、最大 2.0 倍。\n"
               "  --preview WxH   プレビュー領域の大きさ (既定 480x800)。\n"
               "  --jobs N        同時に処理するファイルの数 (1 から %1、既定は使える CPU コアの数)。\n"
               "                  連番と結果の行の順は N によらず入力の順です。\n"
               "  --recursive     フォルダーの中のフォルダーの画像も処理します。\n"
               "  --no-overwrite  連番の名前のファイルがすでにあれば置き換えず、空いている次の連番で\n"
               "                  保存します。00000 から 20000 まで空きがなければそのファイルは失敗です。\n"
               "  -h, --help      この説明を表示します。\n"
               "\n"
               "FOLDER はその中の画像ファイル (名前が .bmp .gif .jpg .jpeg .png で終わるもの、大文字も可、\n"
               "\".\" で始まる名前を除く) を名前のバイト順 (C ロケールの順) に並べたものを表します。\n"
               "--recursive では中のフォルダーも名前の位置でたどります "
               "(シンボリックリンクのフォルダーは除く)。\n"
               "\n"
               "ファイルごとに 1 行、入力と結果 (保存先と切り出しサイズ、または失敗の理由) を入力の順に\n"
               "標準出力に書き、最後に保存と失敗の件数とかかった秒数を標準エラーに書きます。端末では\n"
               "標準エラーに進み具合も表示します。失敗したファイルは連番を使わず、残りを続けます。\n"
               "終了コードは、すべて保存できれば 0、失敗したファイルがあれば 1、引数の誤りと、保存先の\n"
               "フォルダーがないか書き込めないときは (画像を読む前に) 2 です。\n"
               "窓の設定ファイルには触れません。\n")
        .arg(MostJobs);
}

std::optional<BatchOptions> ParseBatchOptions(const QStringList& arguments, bool& helpWanted, QString& error)
{
    const QCommandLineOption outputOption(QStringLiteral("output"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption targetOption(QStringLiteral("target"), QString(), QStringLiteral("WxH"));
    const QCommandLineOption previewOption(QStringLiteral("preview"), QString(), QStringLiteral("WxH"));
    const QCommandLineOption jobsOption(QStringLiteral("jobs"), QString(), QStringLiteral("N"));
    const QCommandLineOption recursiveOption(QStringLiteral("recursive"));
    const QCommandLineOption noOverwriteOption(QStringLiteral("no-overwrite"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    QCommandLineParser parser;
    parser.addOptions({outputOption, targetOption, previewOption, jobsOption, recursiveOption,
                       noOverwriteOption, helpOption});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    helpWanted = parser.isSet(helpOption);
    if (helpWanted)
        return std::nullopt;

    BatchOptions options;
    options.outputPath = parser.value(outputOption);
    options.inputPaths = parser.positionalArguments();
    options.recursive = parser.isSet(recursiveOption);
    options.existing = parser.isSet(noOverwriteOption) ? ExistingOutput::Skip : ExistingOutput::Replace;
    options.jobs = std::clamp(QThread::idealThreadCount(), 1, MostJobs);
    if (options.outputPath.isEmpty()) {
        error = QCoreApplication::translate("BatchOptions", "--output で保存先を指定してください");
        return std::nullopt;
    }
    if (options.inputPaths.isEmpty()) {
        error = QCoreApplication::translate("BatchOptions",
                                            "画像ファイルかフォルダーを 1 つ以上指定してください");
        return std::nullopt;
    }
    if (!ReadDimensions(parser, targetOption, options.settings.TargetWidth, options.settings.TargetHeight,
                        error) ||
        !ReadDimensions(parser, previewOption, options.settings.PreviewMaxWidth,
                        options.settings.PreviewMaxHeight, error) ||
        !ReadJobs(parser, jobsOption, options.jobs, error))
        return std::nullopt;
    return options;
}
