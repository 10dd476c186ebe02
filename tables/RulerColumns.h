#pragma once
// The columns that say who rules what: the force table's 君主 (the ruler's officer ID: a new ruler, or
// the founder of a force in an empty slot) and the city table's 势力 (the owner: a force number, 0 for
// nobody), with the shown-only column of the ruler's name that both tables write next to them. A row
// applies these before its other columns, with the operations of the rules layer, so the result
// satisfies the validator; a cell they cannot apply is refused with what to do first.
#include <cstddef>
#include <string_view>

#include "model/ScenarioSet.h"
#include "tables/RecordColumn.h"

namespace vorandel {

// 君主: the ruler's officer ID. A cell that is no whole number (a name, "-") changes nothing, as in the
// tables that only showed the ruler. Gives true when the cell founded the force.
RecordColumn rulerIdColumn();
bool applyRulerCell(ScenarioSet& set, std::size_t s, int f, std::string_view cell);
// The warning for a 君主 cell that applyRulerCell passed over although the player may have meant a new
// ruler by it: a cell that is neither empty, "-" nor the ruler's name as the table shows it. Null otherwise.
const char* unreadRulerCell(const Scenario& scenario, int f, std::string_view cell);

// 势力: the city's owner, 0 for nobody. Makes no record anew: gives false.
RecordColumn ownerColumn();
bool applyOwnerCell(ScenarioSet& set, std::size_t s, int c, std::string_view cell);

// 君主姓名, shown only: the name of the ruler of the force (force table) or of the city's owner (city
// table), "-" for none.
RecordColumn forceRulerNameColumn();
RecordColumn cityRulerNameColumn();

}  // namespace vorandel
