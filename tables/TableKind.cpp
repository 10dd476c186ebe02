#include "tables/TableKind.h"

namespace vorandel {

const char* defaultTableName(BatchKind kind) {
  switch (kind) {
    case BatchKind::NameList: return "ruv5_name.txt";
    case BatchKind::OfficerTable: return "ruv5_officer.txt";
    case BatchKind::ForceTable: return "ruv5_lord.txt";
    case BatchKind::CityTable: return "ruv5_city.txt";
  }
  return "";
}

}  // namespace vorandel
