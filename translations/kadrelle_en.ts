<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
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
