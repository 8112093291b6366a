<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>BrowseDialog</name>
    <message>
        <source>Browse Data</source>
        <translation>데이터 보기</translation>
    </message>
    <message>
        <source>&amp;Table:</source>
        <translation>테이블(&amp;T):</translation>
    </message>
    <message>
        <source>Rows of the c&amp;hild table:</source>
        <translation>하위 테이블의 행(&amp;H):</translation>
    </message>
    <message>
        <source>Nothing is loaded yet into %1: Load Data loads a data file.</source>
        <translation>%1에 아직 로드된 것이 없습니다. &quot;데이터 로드&quot;로 데이터 파일을 로드하십시오.</translation>
    </message>
    <message>
        <source>%1: %L2 rows</source>
        <translation>%1: %L2행</translation>
    </message>
</context>
<context>
    <name>LoadDialog</name>
    <message>
        <source>Fixed length</source>
        <translation>고정 길이</translation>
    </message>
    <message>
        <source>Variable, after record descriptor words (RDW)</source>
        <translation>가변 길이, 레코드 기술어(RDW) 뒤</translation>
    </message>
    <message>
        <source>Variable, in blocks (RDW and BDW)</source>
        <translation>가변 길이, 블록 단위(RDW와 BDW)</translation>
    </message>
    <message>
        <source>Text, a record a line</source>
        <translation>텍스트, 한 줄에 한 레코드</translation>
    </message>
    <message>
        <source>Refuse to load into them</source>
        <translation>로드 거부</translation>
    </message>
    <message>
        <source>Add the records to them</source>
        <translation>레코드 추가</translation>
    </message>
    <message>
        <source>Replace them</source>
        <translation>교체</translation>
    </message>
    <message>
        <source>Load the record, the field empty (NULL)</source>
        <translation>레코드를 로드하고 필드는 비움(NULL)</translation>
    </message>
    <message>
        <source>Leave the record out</source>
        <translation>레코드 제외</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>로드(&amp;L)</translation>
    </message>
    <message>
        <source>Load Data</source>
        <translation>데이터 로드</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>찾아보기(&amp;B)...</translation>
    </message>
    <message>
        <source>never</source>
        <translation>중지 안 함</translation>
    </message>
    <message>
        <source>&amp;Table:</source>
        <translation>테이블(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Data file:</source>
        <translation>데이터 파일(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Code page:</source>
        <translation>코드 페이지(&amp;C):</translation>
    </message>
    <message>
        <source>Record &amp;format:</source>
        <translation>레코드 형식(&amp;F):</translation>
    </message>
    <message>
        <source>Rows already in the tables:</source>
        <translation>테이블에 이미 있는 행:</translation>
    </message>
    <message>
        <source>A record with a bad field:</source>
        <translation>잘못된 필드가 있는 레코드:</translation>
    </message>
    <message>
        <source>Stop after this many records with errors:</source>
        <translation>오류 레코드가 이 수를 넘으면 중지:</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>레코드</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>오프셋</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>열</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>바이트</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>이유</translation>
    </message>
    <message>
        <source>Data file</source>
        <translation>데이터 파일</translation>
    </message>
    <message>
        <source>Choose the data file to load.</source>
        <translation>로드할 데이터 파일을 선택하십시오.</translation>
    </message>
    <message>
        <source>The load cannot start: %1</source>
        <translation>로드를 시작할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>Starting the load of %1</source>
        <translation>%1 로드를 시작하는 중</translation>
    </message>
    <message>
        <source>%L1 records, %2 MB/s</source>
        <translation>%L1 레코드, %2 MB/초</translation>
    </message>
    <message>
        <source>%L1 records, %2 MB/s, %3 s left</source>
        <translation>%L1 레코드, %2 MB/초, %3초 남음</translation>
    </message>
    <message>
        <source>The load was cancelled; the tables are as they were.</source>
        <translation>로드가 취소되었습니다. 테이블은 그대로입니다.</translation>
    </message>
    <message>
        <source>The load failed and was undone: %1</source>
        <translation>로드가 실패하여 취소되었습니다: %1</translation>
    </message>
    <message>
        <source>Loaded %L1 records of %2 into %3 in %4 s (%5 MB/s).</source>
        <translation>%2의 레코드 %L1개를 %3에 %4초 만에 로드했습니다(%5 MB/초).</translation>
    </message>
    <message>
        <source>The file holds no records.</source>
        <translation>파일에 레코드가 없습니다.</translation>
    </message>
    <message>
        <source>%L1 rows that the tables held before were replaced.</source>
        <translation>테이블에 전에 있던 %L1행을 교체했습니다.</translation>
    </message>
    <message>
        <source>%1: %L2 rows</source>
        <translation>%1: %L2행</translation>
    </message>
    <message>
        <source>%L1 records with errors, %L2 of them left out; listed below.</source>
        <translation>오류가 있는 레코드 %L1개, 그중 %L2개 제외. 아래에 나열합니다.</translation>
    </message>
    <message>
        <source>Left out, %1: %L2</source>
        <translation>제외, %1: %L2</translation>
    </message>
    <message>
        <source>%L1 records are longer than the layout&apos;s %L2 bytes; their bytes past it were not read.</source>
        <translation>레코드 %L1개가 레이아웃의 %L2바이트보다 길어 넘는 바이트는 읽지 않았습니다.</translation>
    </message>
    <message>
        <source>Empty (NULL) in %1</source>
        <translation>%1 비어 있음(NULL)</translation>
    </message>
    <message>
        <source>The list shows the first %L1; %L2 more are in %3.</source>
        <translation>목록은 처음 %L1개입니다. 나머지 %L2개는 %3에 있습니다.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Cancel the load</source>
        <translation>로드 취소</translation>
    </message>
    <message>
        <source>%1. Under &quot;Rows already in the tables&quot;, choose to add the records to them or to replace them.</source>
        <translation>%1. &quot;테이블에 이미 있는 행&quot;에서 레코드를 추가할지 교체할지 선택하십시오.</translation>
    </message>
    <message>
        <source>%1. Give a number under &quot;Stop after this many records with errors&quot; to leave such records out; they are listed here.</source>
        <translation>%1. &quot;오류 레코드가 이 수를 넘으면 중지&quot;에 수를 넣으면 그런 레코드는 제외되고 여기에 나열됩니다.</translation>
    </message>
    <message>
        <source>%1 Choose the record format that the file was written in.</source>
        <translation>%1 파일이 기록된 레코드 형식을 선택하십시오.</translation>
    </message>
    <message>
        <source>The project has no tables yet: import COBOL structures first, then load their data.</source>
        <translation>프로젝트에 아직 테이블이 없습니다. 먼저 COBOL 구조를 가져온 다음 데이터를 로드하십시오.</translation>
    </message>
</context>
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
    <message>
        <source>&amp;Load Data...</source>
        <translation>데이터 로드(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Browse Data...</source>
        <translation>데이터 보기(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <translation>데이터(&amp;D)</translation>
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
