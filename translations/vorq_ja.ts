<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
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
