<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>BatchInputs</name>
    <message>
        <source>フォルダーの中を読み取れません: %1 (%2)</source>
        <translation>Cannot read the folder&apos;s contents: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>BatchOptions</name>
    <message>
        <source>--%1 には 240x320 のように 1 から 32767 の幅と高さを指定してください: %2</source>
        <translation>--%1 needs a width and a height from 1 to 32767, such as 240x320: %2</translation>
    </message>
    <message>
        <source>--jobs には 1 から %1 の数を指定してください: %2</source>
        <translation>--jobs needs a number from 1 to %1: %2</translation>
    </message>
    <message>
        <source>使い方: kadrelle-trim --output PATH [--target WxH] [--preview WxH] [--jobs N] [--recursive]
                      [--no-overwrite] FILE|FOLDER...

各画像の中央から目標サイズの縦横比で切り出し、24 ビットの BMP として保存します。
窓に画像をドロップしたときと同じ処理を、指定した順の連番で行います。

  --output PATH   保存先。ファイル名の最初の &quot;.&quot; の前 (&quot;.&quot; がなければ末尾) にある
                  [00000] 形式の連番の名前で保存します。連番がなければ付け、20000 を
                  超えていれば 00000 に戻し、保存に成功するたびに 1 つ進めます。
  --target WxH    目標の画面サイズ (既定 240x320)。切り出しはその 0.1 倍刻み、最大 2.0 倍。
  --preview WxH   プレビュー領域の大きさ (既定 480x800)。
  --jobs N        同時に処理するファイルの数 (1 から %1、既定は使える CPU コアの数)。
                  連番と結果の行の順は N によらず入力の順です。
  --recursive     フォルダーの中のフォルダーの画像も処理します。
  --no-overwrite  連番の名前のファイルがすでにあれば置き換えず、空いている次の連番で
                  保存します。00000 から 20000 まで空きがなければそのファイルは失敗です。
  -h, --help      この説明を表示します。

FOLDER はその中の画像ファイル (名前が .bmp .gif .jpg .jpeg .png で終わるもの、大文字も可、
&quot;.&quot; で始まる名前を除く) を名前のバイト順 (C ロケールの順) に並べたものを表します。
--recursive では中のフォルダーも名前の位置でたどります (シンボリックリンクのフォルダーは除く)。

ファイルごとに 1 行、入力と結果 (保存先と切り出しサイズ、または失敗の理由) を入力の順に
標準出力に書き、最後に保存と失敗の件数とかかった秒数を標準エラーに書きます。端末では
標準エラーに進み具合も表示します。失敗したファイルは連番を使わず、残りを続けます。
終了コードは、すべて保存できれば 0、失敗したファイルがあれば 1、引数の誤りと、保存先の
フォルダーがないか書き込めないときは (画像を読む前に) 2 です。
窓の設定ファイルには触れません。
</source>
        <translation>Usage: kadrelle-trim --output PATH [--target WxH] [--preview WxH] [--jobs N] [--recursive]
                     [--no-overwrite] FILE|FOLDER...

Cuts the centre of each picture with the target size&apos;s proportions and saves it as a 24-bit
BMP, as a drop of the picture on the window does, under serial numbers in the order given.

  --output PATH   Where to save. The files are named with a serial number of the form [00000]
                  before the first &quot;.&quot; of the file name (at its end when it has no &quot;.&quot;). One
                  is added when the path has none, one above 20000 starts again at 00000, and
                  it moves on by one after each successful save.
  --target WxH    The target screen size (default 240x320). The cut-out is that size times a
                  multiple of 0.1, at most 2.0.
  --preview WxH   The size of the preview area (default 480x800).
  --jobs N        How many files are trimmed at once (1 to %1; by default the number of CPU
                  cores available). Serial numbers and result lines keep the input order
                  whatever N is.
  --recursive     Trims the pictures in the folders inside the folders given too.
  --no-overwrite  Does not replace a file that already has the serial&apos;s name, but saves under
                  the next free serial number. A file for which 00000 to 20000 are all taken
                  fails.
  -h, --help      Shows this help.

A FOLDER stands for the picture files in it (names ending in .bmp .gif .jpg .jpeg .png, in
either case, except names that start with &quot;.&quot;) in the byte order of their names (the C
locale&apos;s order). With --recursive the folders inside are visited in their names&apos; places too
(except folders that are symbolic links).

One line per file, with the input and its result (the path saved and the cut-out&apos;s size, or
why it failed), goes to standard output in the input order; a last line on standard error
counts the files saved and failed and the seconds taken. On a terminal standard error also
shows the progress. A file that fails takes no serial number, and the others go on.
The exit status is 0 when every file was saved, 1 when a file failed, and 2 for wrong
arguments or an output folder that is missing or cannot be written (before any picture is
read).
The window&apos;s settings file is not touched.
</translation>
    </message>
    <message>
        <source>--output で保存先を指定してください</source>
        <translation>Give the output path with --output</translation>
    </message>
    <message>
        <source>画像ファイルかフォルダーを 1 つ以上指定してください</source>
        <translation>Give at least one picture file or folder</translation>
    </message>
</context>
<context>
    <name>BmpMessages</name>
    <message>
        <source>BMP ファイルのヘッダーが壊れています</source>
        <translation>The BMP file&apos;s header is damaged.</translation>
    </message>
    <message>
        <source>BMP ファイルが途中で切れています</source>
        <translation>The BMP file is cut short.</translation>
    </message>
    <message>
        <source>BMP ファイルのランレングス圧縮の行が上から下の順に格納されていますが、この形式では許されません</source>
        <translation>The BMP file&apos;s run-length rows are stored top-down, which the format does not allow.</translation>
    </message>
    <message>
        <source>BMP ファイルのカラーテーブルが大きすぎます</source>
        <translation>The BMP file&apos;s colour table is too large.</translation>
    </message>
</context>
<context>
    <name>BmpWriter</name>
    <message>
        <source>空の画像です</source>
        <translation>The picture is empty</translation>
    </message>
    <message>
        <source>画像が大きすぎます</source>
        <translation>The picture is too large</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>出力ファイルパス</source>
        <translation>Output path</translation>
    </message>
    <message>
        <source>携帯画面サイズ</source>
        <translation>Screen size</translation>
    </message>
    <message>
        <source>選択して選ぶ</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>画面サイズを指定する</source>
        <translation>Custom size</translation>
    </message>
    <message>
        <source>横</source>
        <translation>W</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>H</translation>
    </message>
    <message>
        <source>連番リセット</source>
        <translation>Reset the serial number</translation>
    </message>
    <message>
        <source>データファイルの指定</source>
        <translation>Choose the output file</translation>
    </message>
    <message>
        <source>ビットマップ ファイル (*.bmp)</source>
        <translation>Bitmap files (*.bmp)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>GifMessages</name>
    <message>
        <source>GIF ファイルのシグネチャが壊れています</source>
        <translation>The GIF file&apos;s signature is damaged.</translation>
    </message>
    <message>
        <source>GIF ファイルが途中で切れています</source>
        <translation>The GIF file is cut short.</translation>
    </message>
    <message>
        <source>GIF ファイルに画像がありません</source>
        <translation>The GIF file holds no image.</translation>
    </message>
    <message>
        <source>GIF ファイルのブロックが壊れています</source>
        <translation>The GIF file&apos;s blocks are damaged.</translation>
    </message>
    <message>
        <source>GIF ファイルの論理画面の幅か高さが 0 です</source>
        <translation>The GIF file&apos;s logical screen has no size.</translation>
    </message>
    <message>
        <source>GIF ファイルの画像データが壊れています</source>
        <translation>The GIF file&apos;s image data is damaged.</translation>
    </message>
    <message>
        <source>GIF ファイルの画像データが画像の途中で終わっています</source>
        <translation>The GIF file&apos;s image data ends before the picture does.</translation>
    </message>
</context>
<context>
    <name>JpegMessages</name>
    <message>
        <source>JPEG ファイルを読み込めません: %1</source>
        <translation>The JPEG file cannot be read: %1</translation>
    </message>
    <message>
        <source>JPEG ファイルを読み込むメモリが足りません</source>
        <translation>There is not enough memory to read the JPEG file.</translation>
    </message>
    <message>
        <source>JPEG 画像の %1 個の色成分は表示できません</source>
        <translation>The JPEG picture&apos;s %1 colour components cannot be shown.</translation>
    </message>
    <message>
        <source>切り出しに必要な JPEG データが壊れているか途中で切れています</source>
        <translation>The JPEG data the region needs is damaged or cut short.</translation>
    </message>
    <message>
        <source>JPEG データがヘッダーの示す画像と一致しません</source>
        <translation>The JPEG data does not hold the picture its header describes.</translation>
    </message>
    <message>
        <source>JPEG データを復号できません: %1</source>
        <translation>The JPEG data cannot be decoded: %1</translation>
    </message>
    <message>
        <source>JPEG 画像の復号には %1 MiB を超えるメモリが必要です</source>
        <translation>The JPEG picture needs more than %1 MiB to decode.</translation>
    </message>
</context>
<context>
    <name>KadrelleTrim</name>
    <message>
        <source>詳しくは kadrelle-trim --help</source>
        <translation>See kadrelle-trim --help</translation>
    </message>
    <message>
        <source>保存 %1 件、失敗 %2 件、%3 秒</source>
        <translation>%1 saved, %2 failed, %3 s</translation>
    </message>
</context>
<context>
    <name>OpenFileDialog</name>
    <message>
        <source>フォルダーが見つかりません。
%1</source>
        <translation>The folder cannot be found.
%1</translation>
    </message>
    <message>
        <source>%1 は存在しません。
作成しますか?</source>
        <translation>%1 does not exist.
Create it?</translation>
    </message>
</context>
<context>
    <name>OutputFolder</name>
    <message>
        <source>保存先のフォルダーがありません: %1</source>
        <translation>The output folder does not exist: %1</translation>
    </message>
    <message>
        <source>保存先がフォルダーではありません: %1</source>
        <translation>The output folder is not a folder: %1</translation>
    </message>
    <message>
        <source>保存先のフォルダーに書き込めません: %1</source>
        <translation>Cannot write into the output folder: %1</translation>
    </message>
</context>
<context>
    <name>PictureMessages</name>
    <message>
        <source>切り出す範囲のメモリが足りません</source>
        <translation>There is not enough memory for the region.</translation>
    </message>
    <message>
        <source>画像ファイルが開いた後で書き換えられました</source>
        <translation>The picture changed after it was opened.</translation>
    </message>
    <message>
        <source>画像のサイズを読み取れません</source>
        <translation>The picture&apos;s size cannot be read.</translation>
    </message>
    <message>
        <source>%1x%2 の画像はメモリ上で復号するには大きすぎます</source>
        <translation>The %1x%2 picture is too large to decode in memory.</translation>
    </message>
    <message>
        <source>復号する範囲が空です</source>
        <translation>The region to decode is empty.</translation>
    </message>
    <message>
        <source>復号する範囲 %1,%2 %3x%4 が %5x%6 の画像からはみ出しています</source>
        <translation>The region %1,%2 %3x%4 lies outside the %5x%6 picture.</translation>
    </message>
</context>
<context>
    <name>PngMessages</name>
    <message>
        <source>PNG ファイルを読み込むメモリが足りません</source>
        <translation>There is not enough memory to read the PNG file.</translation>
    </message>
    <message>
        <source>PNG ファイルの画像サイズが扱える範囲を超えています</source>
        <translation>The PNG file&apos;s size is out of range.</translation>
    </message>
    <message>
        <source>PNG ファイルの行がヘッダーの示す長さより短くなっています</source>
        <translation>The PNG file&apos;s rows are shorter than its header says.</translation>
    </message>
    <message>
        <source>PNG データを復号できません: ファイルが画像の途中で終わっています</source>
        <translation>The PNG data cannot be decoded: The file ends inside the picture.</translation>
    </message>
    <message>
        <source>PNG データを復号できません: チャンクが壊れているか途中で切れています</source>
        <translation>The PNG data cannot be decoded: a chunk is damaged or cut short.</translation>
    </message>
    <message>
        <source>PNG データを復号できません: 行のフィルター種別が不明です</source>
        <translation>The PNG data cannot be decoded: a row has an unknown filter type.</translation>
    </message>
    <message>
        <source>PNG データを復号できません: 圧縮された画素データが壊れています</source>
        <translation>The PNG data cannot be decoded: the compressed pixel data is damaged.</translation>
    </message>
    <message>
        <source>PNG データを復号できません: 圧縮された画素データのヘッダーが正しくありません</source>
        <translation>The PNG data cannot be decoded: the compressed pixel data has a bad header.</translation>
    </message>
    <message>
        <source>PNG データを復号できません: 画素データが画像の途中で終わっています</source>
        <translation>The PNG data cannot be decoded: the pixel data ends before the picture does.</translation>
    </message>
    <message>
        <source>PNG データを復号できません: %1</source>
        <translation>The PNG data cannot be decoded: %1</translation>
    </message>
</context>
<context>
    <name>TrimMessages</name>
    <message>
        <source>保存しました: %1 (%2)</source>
        <translation>Saved: %1 (%2)</translation>
    </message>
    <message>
        <source>画像を読み込めません: %1 (%2)</source>
        <translation>Cannot read the picture: %1 (%2)</translation>
    </message>
    <message>
        <source>画像サイズを読み取れません: %1</source>
        <translation>Cannot read the picture&apos;s size: %1</translation>
    </message>
    <message>
        <source>画像が小さすぎて切り出せません: %1 (%2)</source>
        <translation>The picture is too small to cut: %1 (%2)</translation>
    </message>
    <message>
        <source>目標サイズが正しくありません (%1)</source>
        <translation>The target size is not valid (%1)</translation>
    </message>
    <message>
        <source>画像のヘッダーと画素データの大きさが一致しません: %1</source>
        <translation>The picture&apos;s header and its pixel data differ in size: %1</translation>
    </message>
    <message>
        <source>保存できません: %1 (%2)</source>
        <translation>Cannot save: %1 (%2)</translation>
    </message>
    <message>
        <source>保存先のパスが長すぎて連番を付けられません: %1</source>
        <translation>The output path is too long to take a serial number: %1</translation>
    </message>
    <message>
        <source>出力ファイルパスを指定してください。保存していません。</source>
        <translation>Enter an output path. Nothing was saved.</translation>
    </message>
    <message numerus="yes">
        <source>ほかの %n 個のファイルは無視しました (1 度に 1 ファイルずつ処理します)</source>
        <translation>
            <numerusform>%n other file was ignored (one file is trimmed at a time)</numerusform>
            <numerusform>%n other files were ignored (one file is trimmed at a time)</numerusform>
        </translation>
    </message>
    <message>
        <source>空いている連番がありません (00000 から %1 まですべて使われています): %2</source>
        <translation>No serial number is free (00000 to %1 are all taken): %2</translation>
    </message>
    <message>
        <source>画像ファイルが読み込みの途中で短くなりました: %1</source>
        <translation>The picture file got shorter while it was being read: %1</translation>
    </message>
</context>
</TS>
