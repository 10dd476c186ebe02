#pragma once
// The value columns of the officer table that only overwrite the officer's own values (abilities,
// skills, personality, troops and duties); the columns that change where an officer stands are in
// OfficerTablePlacement.h.
#include <string>

#include "tables/OfficerTableRow.h"

namespace vorandel {

// Parses the unquoted cell of the column and writes it into the row's officer (or into the row's skill
// sets for 已学技能 and 附加技能). Columns that are read only for the player's orientation do nothing.
void applyValueColumn(OfficerImport& import, OfficerRow& row, int column, std::string_view cell);

}  // namespace vorandel
