#pragma once
// The four kinds of batch table, the file each reads when the player names none, and which kind a table
// is by its first line.
#include <optional>
#include <string_view>

namespace vorandel {

// The values are the batch modes of the main window.
enum class BatchKind {
  NameList = 0,
  OfficerTable = 1,
  ForceTable = 2,
  CityTable = 3,
};

const char* defaultTableName(BatchKind kind);

// The columns of the officer and city tables that hold what a name list changes: the name itself.
inline constexpr const char* kOfficerNameColumn = "新姓名";
inline constexpr const char* kCityNameColumn = "新名称";

// The kind of a table whose first line (UTF-8) is given: the key headers of the officer, force and city
// tables, or the first entry of a name list; nothing when the line fits none of them.
std::optional<BatchKind> batchKindOfFirstLine(std::string_view line);

}  // namespace vorandel
