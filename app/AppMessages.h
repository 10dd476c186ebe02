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

// Writing a file.
inline constexpr const char* kCannotBackUp = "无法将 %s 保存为 %s，没有导出。";
inline constexpr const char* kCannotWritePair = "无法写入文件 %s，新的剧本没有生成。";
inline constexpr const char* kGenerated = "已生成新的剧本。";
// The earlier pairs kept in the backup folder (app/PairBackups.h).
inline constexpr const char* kCannotKeepPair = "无法把原有的剧本保存到备份 %s，剧本文件没有改动。";
inline constexpr const char* kPreviousStillBak = "原有的剧本仍保存为 sndata.s5.bak 和 taiki.s5.bak。";
inline constexpr const char* kPreviousKeptIn = "原有的剧本已保存到 %s。";
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
