<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>MainWindow</name>
    <message>
        <source>primary key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tabulon - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Table / column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problems of the last verify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Verify COBOL sources...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import COBOL structures...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shown: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-- the project has no tables yet: verify COBOL sources, then import their structures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify COBOL sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COBOL sources (*.cpy *.cbl *.cob *.cobol *.copy *.CPY *.CBL *.COB);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying COBOL sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verified %1 of %2 sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last import dialog was closed without an import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last import added columns to a table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last import made %1 table(s): %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtOptionsEditor</name>
    <message>
        <source>&amp;Strip prefixes from names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Prefixes (one a line)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Make primary keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Key patterns (one a line)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Child tables for large OCCURS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Threshold (occurrences)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Identifier limit (18-128)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import options</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 a second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 s left</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
