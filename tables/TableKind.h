#pragma once
// The four kinds of batch table, and the file each reads when the player names none.
namespace vorandel {

// The values are the batch modes of the main window.
enum class BatchKind {
  NameList = 0,
  OfficerTable = 1,
  ForceTable = 2,
  CityTable = 3,
};

const char* defaultTableName(BatchKind kind);

}  // namespace vorandel
