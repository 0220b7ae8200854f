#pragma once

#include <string_view>

// Every text that the step window and its collection's table show of their own, in one place so that
// the wording can be reviewed, and later translated, without reading code. What a step shows (its
// sentence, calls, counters, variables, marks) is the recorder's and comes with the recording.
//
// One spacing rule: a half-width space between a number and Japanese text (「手順 3 / 97」,
// 「1 手順ずつ」); %1, %2 stand for what is filled in.
namespace host::steptext {

using Text = std::u16string_view;

// The main window's About window, which opens the step window.
inline constexpr Text kAboutSteps = u"F2 キーか下のボタンで手順のウィンドウを開くと、ボタンを押したときの"
                                    u"アルゴリズムの動きを 1 手順ずつ、前後に動かしながら見られます。";
inline constexpr Text kAboutOpen = u"手順を見る (F2)";
inline constexpr Text kAboutOpenDescription = u"手順のウィンドウを開きます";

// The window, before and after the first click.
inline constexpr Text kWindowTitle = u"手順 — %1";       // the procedure
inline constexpr Text kProgramTitle = u"%1 の手順 — %2"; // the program, the procedure
inline constexpr Text kNoClickTitle = u"まだボタンが押されていません";
inline constexpr Text kNoClickSentence =
    u"メインウィンドウのボタンを押してください。そのクリックの手順を、ここで 1 手順ずつ見られます。";
inline constexpr Text kClickTitle = u"「%1」のクリック";        // the button's caption
inline constexpr Text kOwnTitle = u"自分の数（%1 個）で「%2」"; // how many, the button's caption
inline constexpr Text kChosenTitle = u"%1: %2 で %3";           // the title, the class chosen, the procedure
inline constexpr Text kSentenceDescription = u"いまの手順の説明";

// The panel beside the collection.
inline constexpr Text kProcedure = u"手続き %1";
inline constexpr Text kProcedureDescription = u"手続きの行。いまの行に ▶ が付きます";
inline constexpr Text kCurrentLine = u"▶";
inline constexpr Text kCalls = u"呼び出し";
inline constexpr Text kCallsDescription = u"この手順で呼んだメソッドと、読んだメンバーの値";
inline constexpr Text kNoCalls = u"（なし）";
inline constexpr Text kVariables = u"変数";
inline constexpr Text kVariablesDescription = u"手続きの変数といまの値。この手順で変わった変数は太字に下線";
inline constexpr Text kNoVariables = u"（なし）";
inline constexpr Text kNoValue = u"—";
inline constexpr Text kNoValueSpoken = u"なし";
inline constexpr Text kChangedSpoken = u"（変わった）";
inline constexpr Text kCounters = u"カウンター";
inline constexpr Text kCountersDescription = u"ここまでの数";
inline constexpr Text kError = u"実行時エラー";
inline constexpr Text kErrorDescription = u"この手順で起きた実行時エラー";
inline constexpr Text kShownAs = u"%1: %2"; // a caption, what it shows (for screen readers)

// The collection's table.
inline constexpr Text kTable = u"コレクション";
inline constexpr Text kTableDescription = u"いまのコレクションの要素。1 行に 1 つ、位置の順";
inline constexpr Text kPositionColumn = u"位置";
inline constexpr Text kMarkColumn = u"印";
inline constexpr Text kElementColumn = u"要素";
inline constexpr Text kNoPosition = u"—";
inline constexpr Text kSettledSign = u"✓";

// Stepping and playing.
inline constexpr Text kFirst = u"最初";
inline constexpr Text kFirstName = u"最初の手順へ";
inline constexpr Text kFirstKeys = u"Home キー";
inline constexpr Text kBack = u"前へ";
inline constexpr Text kBackName = u"前の手順へ";
inline constexpr Text kBackKeys = u"← キー";
inline constexpr Text kNext = u"次へ";
inline constexpr Text kNextName = u"次の手順へ";
inline constexpr Text kNextKeys = u"→ キー";
inline constexpr Text kLast = u"最後";
inline constexpr Text kLastName = u"最後の手順へ";
inline constexpr Text kLastKeys = u"End キー";
inline constexpr Text kPlay = u"再生";
inline constexpr Text kPause = u"一時停止";
inline constexpr Text kPlayName = u"再生と一時停止";
inline constexpr Text kPlayDescription = u"手順を自動で進めます。スペースキーでも切り替えます";
inline constexpr Text kSpeed = u"速さ(&S)";
inline constexpr Text kSpeedName = u"再生の速さ";
inline constexpr Text kSpeedDescription = u"再生で手順を進める速さ";
inline constexpr Text kSlow = u"ゆっくり";
inline constexpr Text kNormal = u"ふつう";
inline constexpr Text kFast = u"はやく";
inline constexpr Text kSlider = u"手順の位置";
inline constexpr Text kSliderDescription = u"好きな手順へ移ります。← → キーで 1 手順ずつ";
inline constexpr Text kPosition = u"手順 %1 / %2";
inline constexpr Text kPositionCaption = u"手順の番号";
inline constexpr Text kSentenceAfterPosition = u"%1。%2"; // the position, the sentence
inline constexpr Text kFold = u"交換を 1 手順にまとめる(&F)";
inline constexpr Text kFoldName = u"交換を 1 手順にまとめる";
inline constexpr Text kFoldDescription = u"交換の Item・Add・Remove を 1 つの手順として見せます。Alt+F キー";

// Jumps between the steps of one kind (Recording::jumps: 交換, パス, 要素).
inline constexpr Text kJumpBack = u"前の%1";
inline constexpr Text kJumpForward = u"次の%1";
inline constexpr Text kJumpBackName = u"前の%1へ";
inline constexpr Text kJumpForwardName = u"次の%1へ";
inline constexpr Text kJumpKeys = u"%1 キー";
inline constexpr Text kJumpNoKeys = u"%1の手順へ移ります";

// One's own numbers.
inline constexpr Text kNumbers = u"自分の数(&N)";
inline constexpr Text kNumbersName = u"自分の数";
inline constexpr Text kNumbersDescription =
    u"2 個から 20 個までの整数を、空白かコンマで区切って入力します。Enter で実行します";
inline constexpr Text kNumbersExample = u"例: 3 1 2";
// What the chooser picks, by the procedure that is handed it; another procedure's chooser picks a
// button.
struct Chooser {
    Text procedure;
    Text caption;
    Text name;
};
inline constexpr Chooser kChoosers[] = {
    {u"Sort_Collection", u"使う比較オブジェクト(&C)", u"使う比較オブジェクト"},
    {u"Transform_Collection", u"使う関数オブジェクト(&C)", u"使う関数オブジェクト"},
    {u"", u"使うボタン(&C)", u"使うボタン"},
};
inline constexpr Text kChooserDescription = u"自分の数に使うボタン";
inline constexpr Text kRun = u"実行";
inline constexpr Text kRunName = u"自分の数で実行";
inline constexpr Text kRunDescription =
    u"入力した数で、選んだボタンの手順を記録します。メインウィンドウは変わりません";
inline constexpr Text kMessage = u"入力についてのメッセージ";
inline constexpr Text kMessageDescription = u"入力した数を実行できない理由";

} // namespace host::steptext
