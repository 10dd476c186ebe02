#pragma once
// The texts of the messages that both programs share, each in one place.

namespace vorandel {

// A table whose bytes are not text of its encoding; kTableBadLine names the line (a number from 1).
// Below the error of a table whose first line is that of another kind: its kind, and where that kind
// is given (BatchRun.h, TableReading::whereKindGoes).
inline constexpr const char* kTableOfOtherKind = "从第一行看，这是一张%s：请用%s读入它";
// What a name list changed: the names it gave, and in how many scenarios.
inline constexpr const char* kNamesChanged = "修改了 %zu 个名字（在 %zu 个剧本中）";
inline constexpr const char* kTableNotGbk = "表不是GBK文本";
inline constexpr const char* kTableNotUtf8 = "表不是UTF-8文本，或含有GBK无法表示的字符。";
inline constexpr const char* kTableNotUtf16 = "表不是UTF-16文本，或含有GBK无法表示的字符。";
inline constexpr const char* kTableBadLine = "无法转换的是第%zu行";
inline constexpr const char* kTableBadLineText = "这一行按GBK读是「%s」（?是无法转换的字节）";
inline constexpr const char* kTableBadLineAs = "这一行按%s读是「%s」（?是无法转换的部分）";
// A UTF-8 table read as GBK.
inline constexpr const char* kHintUtf8ForCommandLine =
    "这个表是UTF-8文本：请加 --utf8，或在表格软件中另存为GBK（ANSI）文本";
inline constexpr const char* kHintUtf8ForProgram = "这个表是UTF-8文本：请在表格软件中另存为GBK（ANSI）编码的文本";
// A table file that is a spreadsheet's own file (zip: xlsx, ods; OLE: xls), or comma-separated text.
inline constexpr const char* kHintSpreadsheetFile =
    "这是表格软件自己的文件（xlsx、ods、xls），不是文本：请在表格软件中「另存为」制表符分隔的文本（*.txt）";
inline constexpr const char* kHintCommaSeparated =
    "这个表的单元格像是用逗号分隔的（csv）：请在表格软件中「另存为」制表符分隔的文本（*.txt）";
// A first line whose every text cell is enclosed in double quotes.
inline constexpr const char* kHintQuotedHeader =
    "第1行的每个文字单元格都带着英文双引号：另存为文本时请取消表格软件的「quote all text cells」"
    "（为所有文本单元格加引号）";

// A name list saved as UTF-8 without a byte-order mark, read as GBK; the entry as each reads it.
inline constexpr const char* kNameListIsUtf8 = "人名/地名表是UTF-8文本，按GBK读取会把名字写成乱码，没有执行。";
inline constexpr const char* kNameReadAsGbk = "按GBK读：%s";
inline constexpr const char* kNameReadAsUtf8 = "按UTF-8读：%s";

// A table that set fields back to their values before an earlier table of the run changed them: the
// first line, one line per cell (scenario, record, number, name, column, the earlier table's value, the
// value set back), and the count when more cells were set back than are listed.
inline constexpr const char* kTablesUndid = "注意：%s 把前面的表修改过的 %zu 个值改回了原来的值，前面的修改被撤销：";
inline constexpr const char* kTablesUndidCell = "  剧本%zu %s %d（%s）的「%s」：%s 改回 %s";
inline constexpr const char* kTablesUndidMore = "  ……共 %zu 个";
inline constexpr const char* kTablesUndidHintForCommandLine =
    "  表只应打开要修改的列：导出时用 --columns 只打开这些列，或把其余列的开关设为0";
inline constexpr const char* kTablesUndidHintForProgram =
    "  表只应打开要修改的列：导出时在「导出的列」中只写这些列，或把其余列的开关设为0";
// Below the refusal of a cell that still holds a field's value from before an earlier table of the
// run changed it: the value, the earlier table (and its row, from 1) and the value it gave; then what to do.
inline constexpr const char* kCellHeldBeforeTableRow = "这一格写的是前面的表修改以前的值 %s：%s 的第%u行把它改成了 %s";
inline constexpr const char* kCellHeldBeforeTable = "这一格写的是前面的表修改以前的值 %s：%s 把它改成了 %s";
inline constexpr const char* kHintSwitchRowOff =
    "这一行若不是要修改这个值，请把这一行的「设置」改为0（跳过这一行），或把这一列的开关改为0";
// Why the fields that a table set back cannot keep the values the earlier tables gave them: the field
// (scenario, record, number, name, column) and the table kind that would have to write it; for the row,
// the record and the kind.
inline constexpr const char* kCannotKeepColumn = "剧本%zu %s %d（%s）的「%s」不是%s可以修改的列";
inline constexpr const char* kCannotKeepRow =
    "剧本%zu %s %d（%s）有%s无法写出的值，导出时这一行的设置为0，无法用表改回";
// The field after the table that sets it back ran: the value it holds, the value it should have held.
inline constexpr const char* kCannotKeepValue = "剧本%zu %s %d（%s）的「%s」经%s改回后是 %s，不是 %s";
// A field that the table itself changed and that setting the others back would change again: the field,
// the value the table gave it, the value it would then hold.
inline constexpr const char* kCannotKeepTableValue =
    "剧本%zu %s %d（%s）的「%s」：保留前面的值会把此表改成的 %s 又改成 %s";
// The name under which the table that sets the fields back tells its errors, by its kind.
inline constexpr const char* kKeepingTableName = "改回前面的值的%s";

// The columns asked of an export.
inline constexpr const char* kUnknownExportColumn = "没有可以导出的列「%s」";
inline constexpr const char* kExportColumnsAllowed = "%s可以导出的列：%s";
inline constexpr const char* kNameListHasNoColumns = "人名/地名表没有可选的列";

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
// A scenario file another program holds open: the game itself, as a rule (one %s: the file); the program's
// Retry box adds the second line.
inline constexpr const char* kPairHeldOpen = "文件 %s 正被另一个程序打开（很可能是正在运行的游戏），现在无法使用。";
inline constexpr const char* kQuitGameAndRetry = "请退出游戏（或关闭打开这个文件的程序），然后按“重试”。";
// The earlier pairs kept in the backup folder (app/PairBackups.h).
inline constexpr const char* kCannotKeepPair = "无法把原有的剧本保存到备份 %s，剧本文件没有改动。";
inline constexpr const char* kBackupNameTaken = "这里有一个同名的文件，不是文件夹：请把它移走或改名，然后再试。";
inline constexpr const char* kPreviousKeptIn = "原有的剧本已保存到 %s。";
inline constexpr const char* kSamePairKeptNothing = "文件夹中原有的剧本与新的剧本完全相同，没有另存备份。";
inline constexpr const char* kPreviousIsOriginal = "（这是这个文件夹中最初的剧本，会一直保留。）";
// The folder's pair was not the one the run started from: one %s the folder, one the hint's folder.
inline constexpr const char* kOtherPairReplaced =
    "文件夹 %s 中原有的剧本与本次的起点不同（已保存到备份）；要在它的基础上修改，请加 --from %s。";
inline constexpr const char* kOtherPairReplacedInProgram =
    "文件夹中原有的剧本与程序内置的剧本不同（已保存到备份）；要取回它，请按“恢复”。";
inline constexpr const char* kNoGenerations = "这个文件夹还没有备份的剧本。";
inline constexpr const char* kSameAsCurrent = "与当前的剧本相同";
inline constexpr const char* kNoCurrentPair = "文件夹中没有剧本文件";
inline constexpr const char* kRestored = "已恢复 %s 的剧本。";
inline constexpr const char* kOriginalLabel = "最初的剧本";
inline constexpr const char* kBrokenGeneration = "备份 %s 中的剧本文件不完整，无法恢复。";
inline constexpr const char* kBrokenGenerationShort = "剧本文件不完整，无法恢复";
inline constexpr const char* kNoScenarios = "没有任何剧本，不能生成剧本文件。";

}  // namespace vorandel
