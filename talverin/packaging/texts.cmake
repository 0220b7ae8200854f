# Talverin's texts, for its menu entry, metainfo, manual page, --help and About window.
set(ID org.genalgo.Talverin)
set(TITLE "Talverin")
set(TITLE_JA "Talverin（整数の並べ替え）")
set(SUMMARY "Sort nine whole numbers through an interchangeable comparator")
set(SUMMARY_JA "差し替えられる比較オブジェクトで9つの整数を並べ替えます")
set(KEYWORDS "sort;comparator;numbers;")
set(KEYWORDS_JA "並べ替え;ソート;比較;整数;")
set(DESCRIPTION "Talverin sorts nine whole numbers with one sort procedure that knows only a comparator interface. Each button hands the sort a different comparator object, so the same algorithm orders the numbers smallest first, largest first, or by their decimal text.")
set(DESCRIPTION_JA "Talverin は、比較オブジェクト（コンパレーター）のインターフェースしか知らない一つの並べ替え手続きで、9つの整数を並べ替えます。ボタンごとに違う比較オブジェクトを渡すので、同じアルゴリズムが小さい順、大きい順、10進の文字列の順に並べます。")
set(INTERFACE_JA "並べ替えが知っているのは、比較オブジェクトのインターフェース ICompare の Compare だけです。")
set(WINDOW "The window holds a list and three buttons: 小さい順 (smallest first), 大きい順 (largest first) and 文字列順 (by decimal text). A click sorts the numbers 1851, 9353, 2748, 926, 1166, 12703, 40, 66916 and 5562 in that order and lists the result, one number per line.")
set(WINDOW_JA "ウィンドウには一覧と3つのボタン、小さい順、大きい順、文字列順があります。ボタンを押すと、1851、9353、2748、926、1166、12703、40、66916、5562 の9つの整数をこの順に並べ替え、結果を1行に1つずつ一覧に表示します。")
set(TRACE_NOTE [=[In Talverin the elements are the numbers themselves. The start of a click of 大きい順 (largest first), and its end:]=])
set(TRACE_NOTE_JA [=[Talverin では要素は数そのものです。大きい順を押したときの始まりと終わり:]=])
set(TRACE [=[== 大きい順: LongGT
Start: 1851 9353 2748 926 1166 12703 40 66916 5562
Pass 1 of 8: compares [9] down to [2] with [1]
Compare([9] 5562, [1] 1851) = True
Exchange [1] and [9]: 5562 to [1], 1851 to [9]
Compare([8] 66916, [1] 5562) = True
Exchange [1] and [8]: 66916 to [1], 5562 to [8]
Compare([7] 40, [1] 66916) = False
\&...
End: 66916 12703 9353 5562 2748 1851 1166 926 40
\-\- 36 calls of Compare, 12 exchanges]=])
