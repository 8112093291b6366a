#include "resources/StringTable.h"

namespace vorq {

const std::array<StringTableEntry, kStringTableSize>& stringTable() {
    // English, Japanese and Korean, byte for byte; trailing blanks are part of the texts.
    static const std::array<StringTableEntry, kStringTableSize> table{{
        {100, "Op&tions", "オプション(&T)", "옵션(&T)"},
        {101, "&Add to table:", "テーブルに追加(&A):", "테이블에 추가(&A):"},
        {102, "Create &new table", "新規テーブルの作成(&N)", "새 테이블 작성(&N)"},
        {103, "Cancel", "キャンセル", "취소"},
        {104, "OK", "OK", "확인"},
        {105, "&Copybooks", "コピーブック(&C)", "카피북(&C)"},
        {106, "Cobol &Programs", "COBOL プログラム(&P)", "COBOL 프로그램(&P)"},
        {107, "Po&rts", "ポート(&R)", "포트(&R)"},
        {108, "Import", "インポート", "임포트"},
        {500, "Source was not verified or verified without Structured Source Option set",
         "ソースが検査されていないか、構造化ソース・オプション設定なしで検査されました",
         "소스를 확인하지 않았거나 구조화된 소스 옵션을 설정하지 않고 소스를 확인했습니다. "},
        {501, "Do you wish to interrupt and cancel import?",
         "割り込んでインポートをキャンセルしますか?", "임포트를 중단한 후 취소하시겠습니까?"},
        {502, "Item %1 has selected parent.", "項目 %1 が親を選択しました。",
         "%1 항목에 선택된 상위가 있습니다. "},
        {503, "Item %1 has no subitems.", "項目 %1 に下位項目がありません。",
         "%1 항목에 하위 항목이 없습니다. "},
        {504, "Vorq Import Cobol Structures", "Vorq による COBOL 構造のインポート",
         "Vorq 임포트 COBOL 구조"},
        {505, "Import to Tabulon from %1", "%1 から Tabulon をインポート",
         "%1에서 Tabulon로 임포트"},
        {506, "Please check data item(s) to be added.", "追加するデータ項目を検査してください。",
         "추가할 데이터 항목을 선택하십시오. "},
        {507, "Importing", "インポート中", "임포트 중"},
        {508, "Cannot create table with empty table name.",
         "空のテーブル名でテーブルを作成することはできません。",
         "테이블 이름을 지정하지 않고 테이블을 작성할 수 없습니다. "},
        {509, "Cannot create table from %1", "%1 からテーブルを作成することはできません",
         "%1에서 테이블을 작성할 수 없음"},
        {510, "Interrupted by the user.", "ユーザーによって割り込まれました。",
         "사용자에 의해 중단되었습니다. "},
        {511, "Please specify a table", "テーブルを指定してください", "테이블을 지정하십시오. "},
        {512, "Cannot add %1", "%1 を追加できません", "%1을(를) 추가할 수 없음"},
        {513, "Cannot start Copybook Import", "コピーブックのインポートを開始できません",
         "카피북 임포트를 시작할 수 없음"},
    }};
    return table;
}

} // namespace vorq
