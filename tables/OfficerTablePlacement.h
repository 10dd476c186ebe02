#pragma once
// The steps of the officer table that change where an officer stands: creating an officer that the
// scenario lacks, bringing a waiting officer onto the map (身份), the year a waiting officer appears
// (上场年份), moving an officer to another city (所在地), appointing a governor (太守) and handing out
// items (宝物). An import that only lists reads their cells but moves nobody between cities and lists.
#include <string>

#include "tables/OfficerTableRow.h"

namespace vorandel {

// Row mode 3: when the scenario has no officer with the row's id, appends a new waiting officer, marks
// the row as justAdded and, when the header names 所在地, gives him that city as his location.
void addMissingOfficer(OfficerImport& import, OfficerRow& row);

// For a waiting officer whose row applies 身份: brings him onto the map with that status (strategist,
// ordinary, unaffiliated or hermit; 君主 and 待命 leave him waiting). The row follows him to his new index.
void applyStatusColumn(OfficerImport& import, OfficerRow& row);

// 上场年份: the appearance year and order key of a waiting officer's queue entry.
void applyAppearYearColumn(OfficerImport& import, OfficerRow& row, std::string_view cell);

// 所在地: moves the officer to the named city as the row mode says (4 joins the city's force, 5 takes the
// city from another force, whose officers there retreat to another of its cities).
void applyLocationColumn(OfficerImport& import, OfficerRow& row, std::string_view cell);

// 太守: 1 makes a strategist or ordinary officer governor of his city; 0 does nothing.
void applyGovernorColumn(OfficerImport& import, OfficerRow& row, std::string_view cell);

// 宝物: hands the named items to the officer, each from its previous holder; "---" takes every item from him.
void applyItemsColumn(OfficerImport& import, OfficerRow& row, std::string_view cell);

}  // namespace vorandel
