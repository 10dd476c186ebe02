#pragma once
// The game's own names for skills, cities, statuses, items, formations and work fields, and the codes
// that the officer records hold for them. The officer table lets the player write these names instead
// of numbers. The dictionaries are fixed: built once and never changed.
#include <cstdint>
#include <string_view>

#include "rules/GameRules.h"
#include "tables/ColumnDictionary.h"

namespace vorandel {

// Builds the six dictionaries; start-up calls it before any table can be read. Calling it again, or
// using a dictionary first, does no harm: each is built only once.
void buildVocabularyTables();

const ColumnDictionary& skillTable();      // 32 skills, codes 0..31
const ColumnDictionary& cityTable();       // 47 cities, codes 1..47
const ColumnDictionary& statusTable();     // codes 0, 1, 2, 4, 5, 6 (no in-training, no dead)
const ColumnDictionary& itemTable();       // 32 items, codes 0..31
const ColumnDictionary& formationTable();  // codes 1..12; bit 0 (no formation) has no name
const ColumnDictionary& dutyTable();       // codes 1, 2, 4, 8, 16, 32: each a bit of the duties field

// The name that one of the six tables gives the code: what a table cell writes for it. Empty when the
// code has no name there (status 3, in training, and 7, dead; formation bit 0; a duties value that is
// not a single field).
std::string_view nameOf(const ColumnDictionary& table, int code);

}  // namespace vorandel
