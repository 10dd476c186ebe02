#include "cli/ListCommand.h"

#include <span>

#include "rules/GameRules.h"
#include "tables/CityColumns.h"
#include "tables/ForceColumns.h"
#include "tables/OfficerColumns.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

// The highest code any vocabulary gives a name (the duties' bits reach 32).
constexpr int kHighestCode = 63;

const char* const kItemKinds[] = {"", "书籍", "医书", "武器", "马匹", "玉玺"};

struct Vocabulary {
  const char* kind;  // as the list command names it
  const char* name;  // as the player calls it
  const ColumnDictionary& (*table)();
};

const Vocabulary kVocabularies[] = {
    {"cities", "城市", cityTable},          {"items", "宝物", itemTable},      {"skills", "技能", skillTable},
    {"formations", "阵形", formationTable}, {"statuses", "身份", statusTable}, {"duties", "主管", dutyTable},
};

std::string vocabularyText(const Vocabulary& vocabulary) {
  const ColumnDictionary& table = vocabulary.table();
  const bool items = &table == &itemTable();
  std::string text = items ? "编号\t名称\t种类\n" : "编号\t名称\n";
  for (int code = 0; code <= kHighestCode; ++code) {
    const std::string_view name = nameOf(table, code);
    if (name.empty()) continue;
    text += std::to_string(code) + '\t' + std::string(name);
    if (items) text += std::string("\t") + kItemKinds[itemKind(code)];
    text += '\n';
  }
  return text;
}

const char* formName(CellForm form) {
  switch (form) {
    case CellForm::Number: return "数值";
    case CellForm::HexNumber: return "十六进制数";
    case CellForm::Switch: return "0或1";
    case CellForm::Text: return "文字";
    case CellForm::Name: return "名称";
    case CellForm::NameList: return "名称列表（逗号分隔，---为无）";
    case CellForm::NumberList: return "数值列表（逗号分隔）";
    case CellForm::Shown: return "只供阅读";
  }
  return "";
}

std::string columnLine(const ColumnInfo& info) {
  std::string line = std::string(info.header) + '\t' + formName(info.form) + '\t';
  if (info.range) line += std::to_string(info.range->min) + "～" + std::to_string(info.range->max);
  line += '\t';
  for (const Vocabulary& vocabulary : kVocabularies) {
    if (info.vocabulary == vocabulary.table)
      line += std::string(vocabulary.name) + "（vorandel list " + vocabulary.kind + "）";
  }
  // The weapons have no list of their own: they are told here.
  if (info.vocabulary == weaponDictionary) {
    for (std::size_t i = 0; i < kWeaponNames.size(); ++i) line += std::string(i ? "," : "") + kWeaponNames[i];
  }
  return line + '\n';
}

std::string columnsText(BatchKind table) {
  std::string text = "列\t格式\t范围\t名称\n";
  switch (table) {
    case BatchKind::OfficerTable:
      for (const OfficerColumnSpec& column : officerColumns()) text += columnLine(column.info);
      break;
    case BatchKind::ForceTable:
      for (const RecordColumn& column : forceColumns()) text += columnLine(column.info);
      break;
    case BatchKind::CityTable:
      for (const RecordColumn& column : cityColumns()) text += columnLine(column.info);
      break;
    case BatchKind::NameList: break;
  }
  return text;
}

}  // namespace

std::string listText(const CommandLine& options) {
  buildVocabularyTables();
  if (options.listKind == "columns") return columnsText(options.listTable);
  for (const Vocabulary& vocabulary : kVocabularies) {
    if (options.listKind == vocabulary.kind) return vocabularyText(vocabulary);
  }
  return {};
}

}  // namespace vorandel
