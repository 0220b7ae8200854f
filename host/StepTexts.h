#pragma once

#include <iterator>
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
inline constexpr Text kTieColumn = u"同値";
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
inline constexpr Text kPageUp = u"PageUp";
inline constexpr Text kPageDown = u"PageDown";
inline constexpr Text kCtrlPageUp = u"Ctrl+PageUp";
inline constexpr Text kCtrlPageDown = u"Ctrl+PageDown";
inline constexpr Text kJumpNoKeys = u"%1の手順へ移ります";

// One's own numbers.
inline constexpr Text kNumbers = u"自分の数(&N)";
inline constexpr Text kNumbersName = u"自分の数";
inline constexpr Text kNumbersDescription =
    u"2 個から 20 個までの整数を、空白かコンマで区切って入力します。Enter で実行します";
inline constexpr Text kNumbersExample = u"例: 3 1 2";
// What the chooser picks, by the procedure that is handed it; another procedure's chooser picks a
// button. Its list holds the main window's buttons, then the lesson's choices of its own.
struct Chooser {
    Text procedure;
    Text caption;
    Text name;
    Text run;  // the name of the run button, where the lesson takes no numbers
    Text what; // what it chooses, for one side of two runs
};
inline constexpr Chooser kChoosers[] = {
    {u"Sort_Collection", u"使う比較オブジェクト(&C)", u"使う比較オブジェクト", u"選んだ比較オブジェクトで実行",
     u"比較オブジェクト"},
    {u"Transform_Collection", u"使う関数オブジェクト(&C)", u"使う関数オブジェクト", u"選んだ関数オブジェクトで実行",
     u"関数オブジェクト"},
    {u"", u"使うボタン(&C)", u"使うボタン", u"選んだボタンで実行", u"ボタン"},
};
// The chooser of a procedure's lesson.
constexpr Chooser const& chooserOf(Text procedure) {
    for (Chooser const& chooser : kChoosers) {
        if (chooser.procedure == procedure || chooser.procedure.empty())
            return chooser;
    }
    return kChoosers[std::size(kChoosers) - 1];
}
inline constexpr Text kChooserDescription = u"実行に使うボタン、または自分で入力して作るもの";
inline constexpr Text kOwnChoiceItem = u"%1（%2）"; // the choice's caption, what is typed
// The field of a lesson's own choice, by what is typed in it (OwnChoice::field).
struct OwnField {
    Text field;
    Text caption;
    Text name;
};
inline constexpr OwnField kOwnFields[] = {
    {u"メンバー名", u"メンバー名(&M)", u"メンバー名"},
    {u"c", u"c の値(&K)", u"c の値"},
    {u"", u"入力(&I)", u"入力"},
};
// The field of an own choice, by what is typed in it.
constexpr OwnField const& ownFieldOf(Text field) {
    for (OwnField const& own : kOwnFields) {
        if (own.field == field || own.field.empty())
            return own;
    }
    return kOwnFields[std::size(kOwnFields) - 1];
}
inline constexpr Text kOwnFieldDescription = u"%1 Enter で実行します"; // the choice's description
inline constexpr Text kOwnFieldDisabled = u"「%1」などを選ぶと入力できます"; // a choice's item
inline constexpr Text kDataSet = u"データ(&D)";
inline constexpr Text kDataWhat = u"データ";
inline constexpr Text kDataSetName = u"使うデータ";
inline constexpr Text kDataSetDescription = u"用意されたデータか、自分の数（下の欄に入力）";
inline constexpr Text kOwnData = u"自分の数";
inline constexpr Text kRun = u"実行";
inline constexpr Text kRunName = u"自分の数で実行";
inline constexpr Text kRunDescription =
    u"選んだデータと比較オブジェクトや関数オブジェクトで、手順を記録します。メインウィンドウは変わりません";
inline constexpr Text kMessage = u"入力についてのメッセージ";
inline constexpr Text kMessageDescription = u"入力したものを実行できない理由";
// The titles of runs made here: the data, then what ran.
inline constexpr Text kRunTitle = u"%1で「%2」";          // the data, the chooser's choice
inline constexpr Text kOwnDataTitle = u"自分の数（%1 個）"; // how many
inline constexpr Text kChoiceTitle = u"「%1」";            // a run without a choice of data
inline constexpr Text kChoiceWithText = u"%1（%2 = %3）";  // the choice, what is typed, the text

// Predict, then see.
inline constexpr Text kPredict = u"予想しながら進む(&Y)";
inline constexpr Text kPredictName = u"予想しながら進む";
inline constexpr Text kPredictDescription =
    u"答えが見える前に、比較の答えや Add の位置、関数の値を予想して答えます。Alt+Y キー";
inline constexpr Text kQuestion = u"問い";
inline constexpr Text kQuestionDescription = u"次の手順を見る前に答える問い";
inline constexpr Text kChoiceButton = u"%1 (%2)";        // a choice's label, its key
inline constexpr Text kChoiceName = u"%1 と答える";       // a choice's label
inline constexpr Text kChoiceKeys = u"%1 キーでも答えられます"; // its key
inline constexpr Text kAnswer = u"答え(&A)";
inline constexpr Text kAnswerName = u"答え";
inline constexpr Text kAnswerPosition =
    u"位置の番号を入力して Enter で答えます。コレクションの行を ↑ ↓ キーで選んで Enter でも答えられます";
inline constexpr Text kAnswerNumber = u"整数を入力して Enter で答えます";
inline constexpr Text kSkip = u"答えずに見る";
inline constexpr Text kSkipName = u"答えずに次の手順を見る";
inline constexpr Text kSkipDescription = u"この問いには答えず、次の手順を見ます。問いの数には入りません";
inline constexpr Text kFeedback = u"答え合わせ";
inline constexpr Text kFeedbackDescription = u"予想の答えが合っていたかどうかと、その理由";
inline constexpr Text kRightSign = u"○ ";
inline constexpr Text kWrongSign = u"× ";
inline constexpr Text kFeedbackReads = u"（読んだ値: %1）";
inline constexpr Text kRefused = u"答えについてのメッセージ";
inline constexpr Text kRowWithoutPosition = u"この行の要素はもうコレクションにありません。位置のある行を選んでください。";
inline constexpr Text kScore = u"成績";
inline constexpr Text kScoreDescription = u"予想して答えた問いのうち、正解した数";
inline constexpr Text kSummary = u"まちがえた問い(&L)";
inline constexpr Text kSummaryName = u"まちがえた問い";
inline constexpr Text kSummaryDescription = u"Enter で、その問いの手順へ移ります";
inline constexpr Text kAllRight = u"最後まで来ました。まちがえた問いはありません（%1）。"; // the score
inline constexpr Text kSomeWrong = u"最後まで来ました。まちがえた問いが %1 問あります（%2）。"; // how many, the score
inline constexpr Text kMissed = u"手順 %1: %2　あなたの答え %3、正しい答え %4";
// What --trace writes of each answer, in the trace's own language.
inline constexpr Text kTraceAnswer = u"Predict: %1, answered %2: %3"; // the call, the answer, right or wrong
inline constexpr Text kTraceRight = u"right";
inline constexpr Text kTraceWrong = u"wrong";

// Why: the explanations of a run, each shown once at its first occurrence.
inline constexpr Text kWhy = u"なぜ？(&W)";
inline constexpr Text kWhyName = u"なぜ？";
inline constexpr Text kWhyDescription = u"この実行の説明の一覧を開きます。Alt+W キー";
inline constexpr Text kWhyList = u"説明の一覧";
inline constexpr Text kWhyListDescription = u"↑ ↓ キーで説明を選びます";
inline constexpr Text kWhyText = u"説明";
inline constexpr Text kWhyTextDescription = u"選んだ説明の本文";
inline constexpr Text kWhyTitle = u"なぜ？ %1"; // the explanation's title
inline constexpr Text kWhyClose = u"閉じる";
inline constexpr Text kWhyCloseName = u"説明を閉じる";
inline constexpr Text kWhyCloseDescription = u"Esc キーでも閉じます。「なぜ？」でまた開けます";

// Two runs side by side.
inline constexpr Text kCompareOpen = u"2 つの実行を並べる(&2)";
inline constexpr Text kCompareOpenName = u"2 つの実行を並べる";
inline constexpr Text kCompareOpenDescription =
    u"2 つの実行を左右に並べ、比較ごとに一緒に進めるウィンドウを開きます。Alt+2 キー";
inline constexpr Text kCompareTitle = u"%1 — 2 つの実行を並べる"; // the step window's title
// Each side: its name and the accelerators of its chooser, field and data.
struct Side {
    Text name;
    Text chooserKey;
    Text fieldKey;
    Text dataKey;
};
inline constexpr Side kSides[] = {{u"左", u"A", u"S", u"D"}, {u"右", u"J", u"K", u"L"}};
inline constexpr Text kSideCaption = u"%1: %2(&%3)"; // the side, what it chooses, its key
inline constexpr Text kSideName = u"%1: %2";         // the side, what it chooses
inline constexpr Text kRecordBoth = u"並べて記録(&R)";
inline constexpr Text kRecordBothName = u"選んだ 2 つを並べて記録";
inline constexpr Text kRecordBothDescription = u"左右で選んだ 2 つの実行を記録し、最初の手順から並べます";
inline constexpr Text kBothBack = u"一緒に戻る";
inline constexpr Text kBothBackName = u"2 つを一緒に 1 比較戻す";
inline constexpr Text kBothBackKeys = u"← キー";
inline constexpr Text kBothForward = u"一緒に進む";
inline constexpr Text kBothForwardName = u"2 つを一緒に 1 比較進める";
inline constexpr Text kBothForwardKeys = u"→ キー";
inline constexpr Text kBothFirst = u"最初";
inline constexpr Text kBothFirstName = u"2 つとも最初の手順へ";
inline constexpr Text kBothFirstKeys = u"Home キー";
inline constexpr Text kAloneBack = u"%1だけ戻る";                // the side
inline constexpr Text kAloneForward = u"%1だけ進む";             // the side
inline constexpr Text kAloneBackName = u"%1の実行だけ 1 手順戻す";  // the side
inline constexpr Text kAloneForwardName = u"%1の実行だけ 1 手順進める"; // the side
inline constexpr Text kAloneKeys = u"%1 キー";                   // the keys
inline constexpr Text kSideTitle = u"%1: %2";                    // the side, the run's title
inline constexpr Text kSideSentence = u"%1の手順の説明";          // the side
inline constexpr Text kSideCounters = u"%1のカウンター";          // the side
inline constexpr Text kSideNote = u"%1の実行全体について";         // the side
inline constexpr Text kSideTable = u"%1のコレクション";           // the side
inline constexpr Text kTotals = u"2 つの実行の数";
inline constexpr Text kTotalsDescription = u"実行全体で数えた比較・交換・Item・Add・Remove の呼び出しと手順の数";
inline constexpr Text kTotalsItem = u"項目";
inline constexpr Text kTotalsSide = u"%1（いま / 全体）"; // the side
inline constexpr Text kTotalsCell = u"%1 / %2";           // at the step, in the whole run
inline constexpr Text kTotalsNone = u"—";

} // namespace host::steptext
