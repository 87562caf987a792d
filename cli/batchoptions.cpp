#include "cli/batchoptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>
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
        error = QStringLiteral("--%1 には 240x320 のように 1 から 32767 の幅と高さを指定してください: %2")
                    .arg(option.names().constFirst(), parser.value(option));
        return false;
    }
    std::tie(width, height) = *dimensions;
    return true;
}

} // namespace

QString BatchHelpText()
{
    return QStringLiteral(
        "使い方: kadrelle-trim --output PATH [--target WxH] [--preview WxH] FILE...\n"
        "\n"
        "各画像の中央から目標サイズの縦横比で切り出し、24 ビットの BMP として保存します。\n"
        "窓に画像をドロップしたときと同じ処理を、指定した順に 1 ファイルずつ行います。\n"
        "\n"
        "  --output PATH   保存先。ファイル名の最初の \".\" の前 (\".\" がなければ末尾) にある\n"
        "                  [00000] 形式の連番の名前で保存します。連番がなければ付け、20000 を\n"
        "                  超えていれば 00000 に戻し、保存に成功するたびに 1 つ進めます。\n"
        "  --target WxH    目標の画面サイズ (既定 240x320)。切り出しはその 0.1 倍刻み、最大 2.0 倍。\n"
        "  --preview WxH   プレビュー領域の大きさ (既定 480x800)。\n"
        "  -h, --help      この説明を表示します。\n"
        "\n"
        "ファイルごとに 1 行、入力と結果 (保存先と切り出しサイズ、または失敗の理由) を標準出力に\n"
        "書きます。端末では標準エラーに進み具合を表示します。失敗したファイルがあっても残りを\n"
        "続け、その場合の終了コードは 1、引数の誤りと、保存先のフォルダーがないか書き込めない\n"
        "ときは (画像を読む前に) 2 です。窓の設定ファイルには触れません。\n");
}

std::optional<BatchOptions> ParseBatchOptions(const QStringList& arguments, bool& helpWanted, QString& error)
{
    const QCommandLineOption outputOption(QStringLiteral("output"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption targetOption(QStringLiteral("target"), QString(), QStringLiteral("WxH"));
    const QCommandLineOption previewOption(QStringLiteral("preview"), QString(), QStringLiteral("WxH"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    QCommandLineParser parser;
    parser.addOptions({outputOption, targetOption, previewOption, helpOption});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    helpWanted = parser.isSet(helpOption);
    if (helpWanted)
        return std::nullopt;

    BatchOptions options;
    options.outputPath = parser.value(outputOption);
    options.picturePaths = parser.positionalArguments();
    if (options.outputPath.isEmpty()) {
        error = QStringLiteral("--output で保存先を指定してください");
        return std::nullopt;
    }
    if (options.picturePaths.isEmpty()) {
        error = QStringLiteral("画像ファイルを 1 つ以上指定してください");
        return std::nullopt;
    }
    if (!ReadDimensions(parser, targetOption, options.settings.TargetWidth, options.settings.TargetHeight,
                        error) ||
        !ReadDimensions(parser, previewOption, options.settings.PreviewMaxWidth,
                        options.settings.PreviewMaxHeight, error))
        return std::nullopt;
    return options;
}
