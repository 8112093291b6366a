<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>MainWindow</name>
    <message>
        <source>primary key</source>
        <translation>기본 키</translation>
    </message>
    <message>
        <source>Problems of the last verify</source>
        <translation>마지막 확인의 문제</translation>
    </message>
    <message>
        <source>Tabulon - %1</source>
        <translation>Tabulon - %1</translation>
    </message>
    <message>
        <source>Table / column</source>
        <translation>테이블 / 열</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>유형</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>키</translation>
    </message>
    <message>
        <source>SQL &amp;dialect:</source>
        <translation>SQL 방언(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Verify COBOL sources...</source>
        <translation>COBOL 소스 확인(&amp;V)...</translation>
    </message>
    <message>
        <source>&amp;Import COBOL structures...</source>
        <translation>COBOL 구조 임포트(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Save DDL As...</source>
        <translation>다른 이름으로 DDL 저장(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>종료(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Copy DDL</source>
        <translation>DDL 복사(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;About Tabulon</source>
        <translation>Tabulon 정보(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation>프로젝트(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>편집(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>작업</translation>
    </message>
    <message>
        <source>About Tabulon</source>
        <translation>Tabulon 정보</translation>
    </message>
    <message>
        <source>Tabulon with vorq %1: COBOL record structures as relational tables.</source>
        <translation>Tabulon 및 vorq %1: COBOL 레코드 구조를 관계형 테이블로.</translation>
    </message>
    <message>
        <source>%1, item %2</source>
        <translation>%1, 항목 %2</translation>
    </message>
    <message>
        <source>Save DDL As</source>
        <translation>다른 이름으로 DDL 저장</translation>
    </message>
    <message>
        <source>SQL files (*.sql);;All files (*)</source>
        <translation>SQL 파일 (*.sql);;모든 파일 (*)</translation>
    </message>
    <message>
        <source>Saved the DDL of %1 table(s) to %2</source>
        <translation>%1개 테이블의 DDL을 %2에 저장했습니다</translation>
    </message>
    <message>
        <source>Shown: %1</source>
        <translation>표시: %1</translation>
    </message>
    <message>
        <source>-- the project has no tables yet: verify COBOL sources, then import their structures</source>
        <translation>-- 프로젝트에 아직 테이블이 없습니다: COBOL 소스를 확인한 후 구조를 임포트하십시오</translation>
    </message>
    <message>
        <source>Verify COBOL sources</source>
        <translation>COBOL 소스 확인</translation>
    </message>
    <message>
        <source>COBOL sources (*.cpy *.cbl *.cob *.cobol *.copy *.CPY *.CBL *.COB);;All files (*)</source>
        <translation>COBOL 소스 (*.cpy *.cbl *.cob *.cobol *.copy *.CPY *.CBL *.COB);;모든 파일 (*)</translation>
    </message>
    <message>
        <source>Verifying COBOL sources</source>
        <translation>COBOL 소스 확인 중</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>중지</translation>
    </message>
    <message>
        <source>Verifying %1</source>
        <translation>%1 확인 중</translation>
    </message>
    <message>
        <source>Verified %1 of %2 sources</source>
        <translation>소스 %2개 중 %1개를 확인했습니다</translation>
    </message>
    <message>
        <source>The last import dialog was closed without an import</source>
        <translation>마지막 임포트 대화 상자가 임포트 없이 닫혔습니다</translation>
    </message>
    <message>
        <source>The last import added columns to a table</source>
        <translation>마지막 임포트에서 테이블에 열을 추가했습니다</translation>
    </message>
    <message>
        <source>The last import made %1 table(s): %2</source>
        <translation>마지막 임포트에서 테이블 %1개를 작성했습니다: %2</translation>
    </message>
    <message>
        <source>choose a file of its folder too, so that the folder is searched</source>
        <translation>해당 폴더의 파일도 선택하여 폴더가 검색되도록 하십시오</translation>
    </message>
    <message>
        <source>the bound on member text</source>
        <translation>멤버 텍스트의 한계</translation>
    </message>
</context>
<context>
    <name>QtOptionsEditor</name>
    <message>
        <source>&amp;Strip prefixes from names</source>
        <translation>이름에서 접두부 제거(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Prefixes (one a line)</source>
        <translation>접두부 (한 줄에 하나)(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Make primary keys</source>
        <translation>기본 키 작성(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Key patterns (one a line)</source>
        <translation>키 패턴 (한 줄에 하나)(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Child tables for large OCCURS</source>
        <translation>큰 OCCURS에는 하위 테이블(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Threshold (occurrences)</source>
        <translation>임계값 (발생 횟수)(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Identifier limit (18-128)</source>
        <translation>ID 길이 한계 (18-128)(&amp;I)</translation>
    </message>
    <message>
        <source>Import options</source>
        <translation>임포트 옵션</translation>
    </message>
</context>
<context>
    <name>QtProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>0 of %1</source>
        <translation>%1 중 0</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%2 중 %1</translation>
    </message>
    <message>
        <source>, %1 a second</source>
        <translation>, 초당 %1</translation>
    </message>
    <message>
        <source>, %1 s left</source>
        <translation>, %1초 남음</translation>
    </message>
</context>
</TS>
