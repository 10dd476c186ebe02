#pragma once
// The texts of the messages that both programs share, each in one place.

namespace vorandel {

// A table whose bytes are not text of its encoding; kTableBadLine names the line (a number from 1).
inline constexpr const char* kTableNotGbk = "表不是GBK文本";
inline constexpr const char* kTableNotUtf8 = "表不是UTF-8文本，或含有GBK无法表示的字符。";
inline constexpr const char* kTableNotUtf16 = "表不是UTF-16文本，或含有GBK无法表示的字符。";
inline constexpr const char* kTableBadLine = "无法转换的是第%zu行";
// A UTF-8 table read as GBK.
inline constexpr const char* kHintUtf8ForCommandLine =
    "这个表是UTF-8文本：请加 --utf8，或在表格软件中另存为GBK（ANSI）文本";
inline constexpr const char* kHintUtf8ForProgram = "这个表是UTF-8文本：请在表格软件中另存为GBK（ANSI）编码的文本";

// The table row that last set the neighbours of a city of a one-sided link: the line (from 1), the
// scenario, the city's number and name.
inline constexpr const char* kOneSidedLinkRow = "这是表的第%zu行（剧本 %zu，城市 %d %s）改出的相邻城";
// A waiting officer who waits in no city: the row (line from 1, scenario, id) that made him, then what to
// add: the column that places him when the table lacks it, a city in it when it has it.
inline constexpr const char* kWaitingOfficerRow = "这是表的第%zu行（剧本 %zu，ID %d）的武将";
inline constexpr const char* kWaitingOfficerNeedsPlaceColumn =
    "表中没有「所在地」列：请加上这一列，写明待命武将在哪座城市等待登场（城市名或编号）";
inline constexpr const char* kWaitingOfficerNeedsPlace =
    "请在这一行的「所在地」列写明待命武将在哪座城市等待登场（城市名或编号）";

// Writing a file.
inline constexpr const char* kCannotBackUp = "无法将 %s 保存为 %s，没有导出。";
inline constexpr const char* kCannotWritePair = "无法写入文件 %s，新的剧本没有生成。";
inline constexpr const char* kGenerated = "已生成新的剧本。";
inline constexpr const char* kNoScenarios = "没有任何剧本，不能生成剧本文件。";

}  // namespace vorandel
