#pragma once
// What differs between two scenario sets, field by field, in the words of the batch tables: each
// officer, force and city value is compared as the cell its table column writes for it, so a change
// reads as a table cell the player knows. Officers are matched by id, wherever they stand in the list
// (on the map or waiting); an officer only one set has is told as added or missing.
#include <cstddef>
#include <string>
#include <vector>

#include "model/ScenarioSet.h"

namespace vorandel {

enum class ChangedRecord { Scenario, Officer, Force, City };

// One field that differs. Texts are UTF-8; names are converted from the records' GBK.
struct FieldChange {
  std::size_t scenario = 0;
  ChangedRecord record = ChangedRecord::Officer;
  int number = 0;      // the officer's id, the force's or the city's number, the scenario's number
  std::string name;    // the officer's, the city's or the force's ruler's name; "-" when there is none
  std::string field;   // the table column's header; kWholeRecord for a record only one set has
  std::string before;  // kAbsent when the older set lacks the record
  std::string after;   // kAbsent when the newer set lacks the record
};

inline constexpr const char* kWholeRecord = "整条记录";
inline constexpr const char* kPresent = "存在";
inline constexpr const char* kAbsent = "-";

// Every field that differs from before to after, by scenario, then officers (by id), forces and
// cities (by number), each in the order of its table's columns.
std::vector<FieldChange> compareSets(const ScenarioSet& before, const ScenarioSet& after);

// Whether the change is an officer (or scenario) that only the newer set has.
bool isAddition(const FieldChange& change);

// The kind of record as the report names it: 剧本, 武将, 势力 or 城市.
const char* changedRecordName(ChangedRecord record);

// The changes as tab-separated lines under a header line (剧本, 种类, 编号, 名称, 列, 原值, 新值);
// empty when there are none.
std::string changeReport(const std::vector<FieldChange>& changes);

}  // namespace vorandel
