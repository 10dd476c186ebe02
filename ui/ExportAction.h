#pragma once
// "导出当前数据" of the batch dialog: the current data of the dialog's mode as a ready-to-edit table,
// written under the mode's default name into the program's folder.
#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

// A format for formatMessage: %%s the table, %d the versions kept.
inline constexpr const char* kReplaceEditedTable =
    "%%s 的内容与当前数据不同（可能有您的修改）。\n替换它吗？原有的文件会保存为 .bak（最多保留 %d 个较早的版本）。";
inline constexpr const char* kTableUnchanged = "原有的文件与当前数据相同，没有改写。";

// Writes the table (asking first when the file there differs from it; the earlier versions kept as
// .bak, .bak2, …), makes it the input path and tells the player where it went and which rows it had to
// switch off. columns: the headers of the value columns to switch on, as the player typed them
// (separated by commas or blanks); every column when empty. False when nothing was written: the player
// said no, or the reason was shown (an unknown column is named with the allowed ones).
bool exportCurrentTable(ProgramState& state, DialogHost& host, const std::string& folder,
                        const std::string& columns = {});

}  // namespace vorandel::ui
