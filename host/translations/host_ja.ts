<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Program</name>
    <message>
        <source>%1: cannot open its window: the display could not be reached (DISPLAY=%2, WAYLAND_DISPLAY=%3)</source>
        <translation>%1: ウィンドウを開けません。ディスプレイに接続できませんでした（DISPLAY=%2、WAYLAND_DISPLAY=%3）</translation>
    </message>
    <message>
        <source>Write every interface call that a click makes to standard error, one line each, and after each click the number of calls.</source>
        <translation>ボタンを押すたびに、インターフェースの呼び出しを1回につき1行ずつ標準エラーに書き、最後に呼び出しの数を書きます。</translation>
    </message>
    <message>
        <source>Open the step window too, which shows each click step by step.</source>
        <translation>手順のウィンドウも開き、クリックごとの手順を1つずつ見せます。</translation>
    </message>
    <message>
        <source>%1: unexpected argument &apos;%2&apos;</source>
        <translation>%1: 受け付けない引数「%2」があります</translation>
    </message>
    <message>
        <source>%1: needs a graphical desktop, and none was found (DISPLAY and WAYLAND_DISPLAY are not set); to run it without one, set QT_QPA_PLATFORM=offscreen</source>
        <translation>%1: グラフィカルなデスクトップが必要ですが、見つかりません（DISPLAY も WAYLAND_DISPLAY も設定されていません）。デスクトップなしで動かすには QT_QPA_PLATFORM=offscreen を設定してください</translation>
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
