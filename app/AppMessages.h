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
inline constexpr const char* kNoScenarios = "没有任何剧本，不能生成剧本文件。";

}  // namespace vorandel
