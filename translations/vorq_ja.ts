<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>BrowseDialog</name>
    <message>
        <source>Browse Data</source>
        <translation>データの閲覧</translation>
    </message>
    <message>
        <source>&amp;Table:</source>
        <translation>テーブル(&amp;T):</translation>
    </message>
    <message>
        <source>Rows of the c&amp;hild table:</source>
        <translation>子テーブルの行(&amp;H):</translation>
    </message>
    <message>
        <source>Nothing is loaded yet into %1: Load Data loads a data file.</source>
        <translation>%1 にはまだ何もロードされていません。「データのロード」でデータファイルをロードします。</translation>
    </message>
    <message>
        <source>%1: %L2 rows</source>
        <translation>%1: %L2 行</translation>
    </message>
</context>
<context>
    <name>LoadDialog</name>
    <message>
        <source>Fixed length</source>
        <translation>固定長</translation>
    </message>
    <message>
        <source>Variable, after record descriptor words (RDW)</source>
        <translation>可変長、レコード記述語 (RDW) の後</translation>
    </message>
    <message>
        <source>Variable, in blocks (RDW and BDW)</source>
        <translation>可変長、ブロック単位 (RDW と BDW)</translation>
    </message>
    <message>
        <source>Text, a record a line</source>
        <translation>テキスト、1 行に 1 レコード</translation>
    </message>
    <message>
        <source>Refuse to load into them</source>
        <translation>ロードを拒否する</translation>
    </message>
    <message>
        <source>Add the records to them</source>
        <translation>レコードを追加する</translation>
    </message>
    <message>
        <source>Replace them</source>
        <translation>置き換える</translation>
    </message>
    <message>
        <source>Load the record, the field empty (NULL)</source>
        <translation>レコードをロードし、フィールドは空 (NULL)</translation>
    </message>
    <message>
        <source>Leave the record out</source>
        <translation>レコードを除外する</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>ロード(&amp;L)</translation>
    </message>
    <message>
        <source>Load Data</source>
        <translation>データのロード</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>never</source>
        <translation>停止しない</translation>
    </message>
    <message>
        <source>&amp;Table:</source>
        <translation>テーブル(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Data file:</source>
        <translation>データファイル(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Code page:</source>
        <translation>コードページ(&amp;C):</translation>
    </message>
    <message>
        <source>Record &amp;format:</source>
        <translation>レコード形式(&amp;F):</translation>
    </message>
    <message>
        <source>Rows already in the tables:</source>
        <translation>テーブルに既にある行:</translation>
    </message>
    <message>
        <source>A record with a bad field:</source>
        <translation>不正なフィールドを持つレコード:</translation>
    </message>
    <message>
        <source>Stop after this many records with errors:</source>
        <translation>エラーのあるレコードがこの数を超えたら停止:</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>レコード</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>オフセット</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>バイト</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>理由</translation>
    </message>
    <message>
        <source>Data file</source>
        <translation>データファイル</translation>
    </message>
    <message>
        <source>Choose the data file to load.</source>
        <translation>ロードするデータファイルを選んでください。</translation>
    </message>
    <message>
        <source>The load cannot start: %1</source>
        <translation>ロードを開始できません: %1</translation>
    </message>
    <message>
        <source>Starting the load of %1</source>
        <translation>%1 のロードを開始しています</translation>
    </message>
    <message>
        <source>%L1 records, %2 MB/s</source>
        <translation>%L1 レコード、%2 MB/秒</translation>
    </message>
    <message>
        <source>%L1 records, %2 MB/s, %3 s left</source>
        <translation>%L1 レコード、%2 MB/秒、残り %3 秒</translation>
    </message>
    <message>
        <source>The load was cancelled; the tables are as they were.</source>
        <translation>ロードは取り消されました。テーブルは元のままです。</translation>
    </message>
    <message>
        <source>The load failed and was undone: %1</source>
        <translation>ロードは失敗し、元に戻されました: %1</translation>
    </message>
    <message>
        <source>Loaded %L1 records of %2 into %3 in %4 s (%5 MB/s).</source>
        <translation>%2 の %L1 レコードを %3 に %4 秒でロードしました (%5 MB/秒)。</translation>
    </message>
    <message>
        <source>The file holds no records.</source>
        <translation>ファイルにレコードがありません。</translation>
    </message>
    <message>
        <source>%L1 rows that the tables held before were replaced.</source>
        <translation>テーブルに以前あった %L1 行を置き換えました。</translation>
    </message>
    <message>
        <source>%1: %L2 rows</source>
        <translation>%1: %L2 行</translation>
    </message>
    <message>
        <source>%L1 records with errors, %L2 of them left out; listed below.</source>
        <translation>エラーのあるレコード %L1 件、うち %L2 件を除外しました。下に一覧します。</translation>
    </message>
    <message>
        <source>Left out, %1: %L2</source>
        <translation>除外、%1: %L2</translation>
    </message>
    <message>
        <source>%L1 records are longer than the layout&apos;s %L2 bytes; their bytes past it were not read.</source>
        <translation>%L1 件のレコードがレイアウトの %L2 バイトより長く、超えた部分は読まれませんでした。</translation>
    </message>
    <message>
        <source>Empty (NULL) in %1</source>
        <translation>%1 は空 (NULL)</translation>
    </message>
    <message>
        <source>The list shows the first %L1; %L2 more are in %3.</source>
        <translation>一覧は最初の %L1 件です。残りの %L2 件は %3 にあります。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Cancel the load</source>
        <translation>ロードを取り消す</translation>
    </message>
    <message>
        <source>%1. Under &quot;Rows already in the tables&quot;, choose to add the records to them or to replace them.</source>
        <translation>%1。「テーブルに既にある行」で、レコードを追加するか置き換えるかを選んでください。</translation>
    </message>
    <message>
        <source>%1. Give a number under &quot;Stop after this many records with errors&quot; to leave such records out; they are listed here.</source>
        <translation>%1。「エラーのあるレコードがこの数を超えたら停止」に数を入れると、そのようなレコードは除外され、ここに一覧されます。</translation>
    </message>
    <message>
        <source>%1 Choose the record format that the file was written in.</source>
        <translation>%1 ファイルが書かれたレコード形式を選んでください。</translation>
    </message>
    <message>
        <source>The project has no tables yet: import COBOL structures first, then load their data.</source>
        <translation>プロジェクトにはまだテーブルがありません。先に COBOL 構造をインポートしてから、そのデータをロードしてください。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>primary key</source>
        <translation>主キー</translation>
    </message>
    <message>
        <source>Problems of the last verify</source>
        <translation>前回の検査の問題</translation>
    </message>
    <message>
        <source>Tabulon - %1</source>
        <translation>Tabulon - %1</translation>
    </message>
    <message>
        <source>Table / column</source>
        <translation>テーブル / 列</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>型</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>キー</translation>
    </message>
    <message>
        <source>SQL &amp;dialect:</source>
        <translation>SQL 方言(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Verify COBOL sources...</source>
        <translation>COBOL ソースの検査(&amp;V)...</translation>
    </message>
    <message>
        <source>&amp;Import COBOL structures...</source>
        <translation>COBOL 構造のインポート(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Save DDL As...</source>
        <translation>名前を付けて DDL を保存(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Copy DDL</source>
        <translation>DDL のコピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;About Tabulon</source>
        <translation>Tabulon について(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation>プロジェクト(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>About Tabulon</source>
        <translation>Tabulon について</translation>
    </message>
    <message>
        <source>Tabulon with vorq %1: COBOL record structures as relational tables.</source>
        <translation>Tabulon と vorq %1: COBOL のレコード構造をリレーショナル・テーブルに。</translation>
    </message>
    <message>
        <source>%1, item %2</source>
        <translation>%1、項目 %2</translation>
    </message>
    <message>
        <source>Save DDL As</source>
        <translation>名前を付けて DDL を保存</translation>
    </message>
    <message>
        <source>SQL files (*.sql);;All files (*)</source>
        <translation>SQL ファイル (*.sql);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Saved the DDL of %1 table(s) to %2</source>
        <translation>%1 個のテーブルの DDL を %2 に保存しました</translation>
    </message>
    <message>
        <source>Shown: %1</source>
        <translation>表示中: %1</translation>
    </message>
    <message>
        <source>-- the project has no tables yet: verify COBOL sources, then import their structures</source>
        <translation>-- プロジェクトにはまだテーブルがありません: COBOL ソースを検査し、その構造をインポートしてください</translation>
    </message>
    <message>
        <source>Verify COBOL sources</source>
        <translation>COBOL ソースの検査</translation>
    </message>
    <message>
        <source>COBOL sources (*.cpy *.cbl *.cob *.cobol *.copy *.CPY *.CBL *.COB);;All files (*)</source>
        <translation>COBOL ソース (*.cpy *.cbl *.cob *.cobol *.copy *.CPY *.CBL *.COB);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Verifying COBOL sources</source>
        <translation>COBOL ソースを検査中</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Verifying %1</source>
        <translation>%1 を検査中</translation>
    </message>
    <message>
        <source>Verified %1 of %2 sources</source>
        <translation>%2 個中 %1 個のソースを検査しました</translation>
    </message>
    <message>
        <source>The last import dialog was closed without an import</source>
        <translation>前回のインポート・ダイアログはインポートせずに閉じられました</translation>
    </message>
    <message>
        <source>The last import added columns to a table</source>
        <translation>前回のインポートでテーブルに列を追加しました</translation>
    </message>
    <message>
        <source>The last import made %1 table(s): %2</source>
        <translation>前回のインポートで %1 個のテーブルを作成しました: %2</translation>
    </message>
    <message>
        <source>choose a file of its folder too, so that the folder is searched</source>
        <translation>そのフォルダーのファイルも選択して、フォルダーが検索されるようにしてください</translation>
    </message>
    <message>
        <source>the bound on member text</source>
        <translation>メンバー・テキストの上限</translation>
    </message>
    <message>
        <source>&amp;Load Data...</source>
        <translation>データのロード(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Browse Data...</source>
        <translation>データの閲覧(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <translation>データ(&amp;D)</translation>
    </message>
</context>
<context>
    <name>QtOptionsEditor</name>
    <message>
        <source>&amp;Strip prefixes from names</source>
        <translation>名前から接頭部を除去(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Prefixes (one a line)</source>
        <translation>接頭部 (1 行に 1 つ)(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Make primary keys</source>
        <translation>主キーを作成(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Key patterns (one a line)</source>
        <translation>キーのパターン (1 行に 1 つ)(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Child tables for large OCCURS</source>
        <translation>大きな OCCURS には子テーブル(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Threshold (occurrences)</source>
        <translation>しきい値 (出現回数)(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Identifier limit (18-128)</source>
        <translation>識別子の長さの上限 (18-128)(&amp;I)</translation>
    </message>
    <message>
        <source>Import options</source>
        <translation>インポート・オプション</translation>
    </message>
</context>
<context>
    <name>QtProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>0 of %1</source>
        <translation>%1 中 0</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%2 中 %1</translation>
    </message>
    <message>
        <source>, %1 a second</source>
        <translation>、毎秒 %1</translation>
    </message>
    <message>
        <source>, %1 s left</source>
        <translation>、残り %1 秒</translation>
    </message>
</context>
</TS>
