#pragma once
// The texts of the command line's own messages, each in one place.

namespace vorandel {

// Below the error of a table of another kind: the option that takes it (app/AppMessages.h kTableOfOtherKind).
inline constexpr const char* kOptionTakesTable = "选项 %s ";
inline constexpr const char* kNoSuchScenario = "没有剧本 %zu（共有 %zu 个剧本，序号从0开始）";
inline constexpr const char* kNoSuchGeneration = "没有备份 %s（共有 %zu 个；不加参数的 restore 列出它们）";
inline constexpr const char* kOptionNotAccepted = "命令 %s 不接受选项 %s";
inline constexpr const char* kColumnsMissing = "--columns 后面须给出列名，用逗号分开，例如 --columns 武力,智力";

}  // namespace vorandel
