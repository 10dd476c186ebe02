#pragma once
// "导出当前数据" of the batch dialog: the current data of the dialog's mode as a ready-to-edit table,
// written under the mode's default name into the program's folder.
#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

// Writes the table (an earlier file kept as .bak), makes it the input path and tells the player where
// it went and which rows it had to switch off. columns: the headers of the value columns to switch on,
// as the player typed them (separated by commas or blanks); every column when empty. False, with the
// reason shown, when nothing was written (an unknown column is named with the allowed ones).
bool exportCurrentTable(ProgramState& state, DialogHost& host, const std::string& folder,
                        const std::string& columns = {});

}  // namespace vorandel::ui
