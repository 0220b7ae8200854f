# Ambulon's texts, for its menu entry, metainfo, manual page, --help and About window.
set(ID org.genalgo.Ambulon)
set(TITLE "Ambulon")
set(TITLE_JA "Ambulon（関数オブジェクト）")
set(SUMMARY "Apply a function object to nine whole numbers in place")
set(SUMMARY_JA "関数オブジェクトを9つの整数にその場で適用します")
set(KEYWORDS "function object;binder;transform;")
set(KEYWORDS_JA "関数オブジェクト;バインダー;変換;整数;")
set(DESCRIPTION "Ambulon applies one of four function objects to each of nine whole numbers in place, with one transform procedure that knows only a function interface. The function objects are built from primitives and binders: square, minus 10, negation, and minus a running count.")
set(DESCRIPTION_JA "Ambulon は、関数のインターフェースしか知らない一つの変換手続きで、4つの関数オブジェクトのどれかを9つの整数それぞれにその場で適用します。関数オブジェクトは基本の関数とバインダーからできています。2乗、10を引く、符号の反転、順に増える数を引く、の4つです。")
set(INTERFACE_JA "変換が知っているのは、単項関数のインターフェース IUnaryFunc の Exec だけです。")
set(WINDOW "The window holds two lists and four buttons: x^2, x-10, -x and 1・2・3…を引く (minus 1, 2, 3 and so on). A click shows the numbers 1, 2, 3, 10, 100, 123, 1000, 7777 and 10000 in the left list and their results in the right list.")
set(WINDOW_JA "ウィンドウには2つの一覧と4つのボタン、x^2、x-10、-x、1・2・3…を引く があります。ボタンを押すと、左の一覧に 1、2、3、10、100、123、1000、7777、10000 の9つの整数を、右の一覧にその結果を表示します。")
set(TRACE_NOTE [=[Ambulon has no passes and no exchanges: each call of
.B Exec
handles one element.
Beneath a binder's call stand the call it makes in turn and the counter it reads, and objects are
numbered within their class in order of creation. The start of a click of 1・2・3…を引く:]=])
set(TRACE_NOTE_JA [=[Ambulon にはパスも交換もなく、\fBExec\fR の呼び出し1回が要素1つの処理です。バインダーの呼び出しの下に、それが続けて行う呼び出しと、読んだカウンターの値が並びます。オブジェクトにはクラスごとに作られた順に番号が付きます。1・2・3…を引くを押したときの始まり:]=])
set(TRACE [=[== 1・2・3…を引く: Bind1st
Start: 1 2 3 10 100 123 1000 7777 10000
Exec(1) = 0
  MinusCls.Exec(1, SeqCount#1) = 0
    SeqCount#1.Counter = 1
Exec(2) = 0
  MinusCls.Exec(2, SeqCount#1) = 0
    SeqCount#1.Counter = 2
\&...
End: 0 0 0 6 95 117 993 7769 9991
\-\- 9 calls of Exec]=])
set(SEE_ALSO ".BR talverin (1),\n.BR pelora (1)")
