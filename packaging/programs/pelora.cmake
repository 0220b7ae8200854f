# Pelora's texts, for its menu entry, metainfo, manual page, --help and About window.
set(ID org.genalgo.Pelora)
set(TITLE "Pelora")
set(TITLE_JA "Pelora（異なるクラスの並べ替え）")
set(SUMMARY "Sort students and teachers by an attribute read by name")
set(SUMMARY_JA "身長・体重・年齢をメンバー名で読み出して、生徒と先生を並べ替えます")
set(KEYWORDS "sort;comparator;late binding;")
set(KEYWORDS_JA "並べ替え;ソート;比較;遅延バインディング;名簿;")
set(DESCRIPTION "Pelora sorts a roster of twelve students and eight teachers, objects of two classes that share no type. The comparators read the chosen attribute, height, weight or age, by its member name at run time, so one sort procedure orders both kinds of object.")
set(DESCRIPTION_JA "Pelora は、型を共有しない二つのクラスのオブジェクト、生徒12人と先生8人の名簿を並べ替えます。比較オブジェクト（コンパレーター）は身長、体重、年齢のうち選ばれた属性を実行時にメンバー名で読み出すので、一つの並べ替え手続きで両方の種類のオブジェクトを並べ替えられます。")
set(INTERFACE_JA "並べ替えが知っているのは、比較オブジェクトのインターフェース ICompare の Compare だけで、比較オブジェクトは属性をメンバー名で読み出します。")
set(WINDOW "The window holds a list and three buttons: 身長順 (by height), 体重順 (by weight) and 年齢順 (by age). A click sorts the roster and lists one line per person, as that person describes itself.")
set(WINDOW_JA "ウィンドウには一覧と3つのボタン、身長順、体重順、年齢順があります。ボタンを押すと名簿を並べ替え、一人につき1行、その人が自分を説明する文を一覧に表示します。")
set(TRACE_NOTE [=[Pelora names each person by class and roster position,
.B Student#1
to
.B Student#12
and
.B Teacher#13
to
.BR Teacher#20 ,
with the attribute being compared in parentheses, as the comparator reads it by name:
.B Student#8(155)
is the eighth person of the roster, 155 cm tall.
The two objects that make the persons are no part of the roster and stand apart as
.B Student#0
and
.BR Teacher#0 .
In the first pass of 身長順 (by height) the three students of 155 cm meet position 1 last one first,
and only a smaller height would displace the first of them, so they end in the reverse of their
roster order:]=])
set(TRACE_NOTE_JA [=[Pelora は人を、クラスと名簿の位置で \fBStudent#1\fR から \fBStudent#12\fR、\fBTeacher#13\fR から \fBTeacher#20\fR と呼び、比べる属性の値を、比較オブジェクトが名前で読むとおりに括弧に入れて示します。\fBStudent#8(155)\fR は名簿の8番目の人で、身長は155cmです。人を作る2つのオブジェクトは名簿に入らず、\fBStudent#0\fR と \fBTeacher#0\fR と呼びます。身長順の最初のパスでは、身長155cmの3人の生徒が名簿の後ろの人から先に位置1と比べられ、より低い人でなければ入れ替わらないので、3人は名簿と逆の順に並びます:]=])
set(TRACE [=[Pass 1 of 19: compares [20] down to [2] with [1]
Compare([20] Teacher#20(181), [1] Student#1(160)) = False
\&...
Compare([16] Teacher#16(158), [1] Student#1(160)) = True
Exchange [1] and [16]: Teacher#16(158) to [1], Student#1(160) to [16]
\&...
Compare([8] Student#8(155), [1] Teacher#16(158)) = True
Exchange [1] and [8]: Student#8(155) to [1], Teacher#16(158) to [8]
Compare([7] Student#7(155), [1] Student#8(155)) = False
Compare([6] Student#6(155), [1] Student#8(155)) = False
\&...
\-\- 190 calls of Compare, 31 exchanges; not shown: 20 reads of Get_String]=])
set(SEE_ALSO ".BR talverin (1),\n.BR ambulon (1)")
