<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Program</name>
    <message>
        <source>%1: cannot open its window: Qt has no platform plugin &quot;%2&quot;</source>
        <translation>%1: ウィンドウを開けません。Qt のプラットフォームプラグイン「%2」がありません</translation>
    </message>
    <message>
        <source>%1: cannot open its window: Qt&apos;s platform plugin &quot;%2&quot; is not installed; the package %3 brings it</source>
        <translation>%1: ウィンドウを開けません。Qt のプラットフォームプラグイン「%2」がインストールされていません。パッケージ %3 に含まれています</translation>
    </message>
    <message>
        <source>%1: cannot open its window: Qt&apos;s platform plugin &quot;%2&quot; could not be loaded (%3); installing the package %4 again brings what it needs</source>
        <translation>%1: ウィンドウを開けません。Qt のプラットフォームプラグイン「%2」を読み込めませんでした（%3）。パッケージ %4 を入れ直すと、必要なものがそろいます</translation>
    </message>
    <message>
        <source>%1: cannot open its window: the display could not be reached (DISPLAY=%2, WAYLAND_DISPLAY=%3)</source>
        <translation>%1: ウィンドウを開けません。ディスプレイに接続できませんでした（DISPLAY=%2、WAYLAND_DISPLAY=%3）</translation>
    </message>
    <message>
        <source>%1: needs a graphical desktop, and none was found (DISPLAY and WAYLAND_DISPLAY are not set); start it from a desktop session, or through ssh -X from one</source>
        <translation>%1: グラフィカルなデスクトップが必要ですが、見つかりません（DISPLAY も WAYLAND_DISPLAY も設定されていません）。デスクトップのセッションから起動するか、デスクトップから ssh -X で接続して起動してください</translation>
    </message>
    <message>
        <source>Write every interface call that a click makes to standard error, one line each, and after each click the number of calls.</source>
        <translation>ボタンを押すたびに、アルゴリズムによる
インターフェースの呼び出しを1回につき1行ずつ
標準エラー出力に書き、押し終えるたびに
呼び出し回数を書く。</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>オプション「%1」は受け付けません</translation>
    </message>
    <message>
        <source>Open the step window too, which shows each click step by step.</source>
        <translation>手順のウィンドウも開いて、ボタンを押すたびに、
その手順を1つずつ見せる。</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>引数「%1」は受け付けません</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンドラインオプションのヘルプを表示する。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションを含むヘルプを表示する。</translation>
    </message>
</context>
</TS>
