#include "tables/OfficerColumns.h"

#include <array>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "model/CellError.h"
#include "model/EditError.h"
#include "rules/GameRules.h"
#include "tables/BatchTable.h"
#include "tables/CellParsers.h"
#include "tables/NameCell.h"
#include "tables/OfficerTablePlacement.h"
#include "tables/TableExportCells.h"
#include "tables/TableMessages.h"
#include "tables/Vocabulary.h"
#include "tables/TableKind.h"

namespace vorandel {

using tableexport::informative;
using tableexport::kNoCell;
using tableexport::nameList;

namespace {

constexpr std::uint16_t kNoFormationBit = 1;
constexpr std::uint16_t kNamedFormationBits = 0x1FFE;  // bits 1..12

std::string numeral(long value) { return std::to_string(value); }

struct StatePart {
  static OfficerState& of(OfficerImport& import, OfficerRow& row) { return stateOf(import, row); }
  static const OfficerState& of(const Scenario& scenario, int n) { return scenario.officerState(n); }
  static constexpr OfficerRecord kRecord = OfficerRecord::State;
};

struct ProfilePart {
  static OfficerProfile& of(OfficerImport& import, OfficerRow& row) { return profileOf(import, row); }
  static const OfficerProfile& of(const Scenario& scenario, int n) { return scenario.officerProfile(n); }
  static constexpr OfficerRecord kRecord = OfficerRecord::Profile;
};

// A decimal number within the range, written as it is stored.
template <class Part, class Field>
OfficerColumnSpec number(const char* header, Field field, ColumnRange range) {
  OfficerColumnSpec column;
  column.info = {header, CellForm::Number, range, nullptr};
  column.number = OfficerField{Part::kRecord, fieldPlace(field)};
  column.write = [field](const OfficerAt& at) { return numeral(Part::of(at.scenario(), at.number).get(field)); };
  column.carries = [field, range](const OfficerAt& at) {
    const auto value = static_cast<long long>(Part::of(at.scenario(), at.number).get(field));
    return value >= range.min && value <= range.max;
  };
  return column;
}

// 0 or 1 in a one-bit field.
template <class Part, class Field>
OfficerColumnSpec flag(const char* header, Field field) {
  OfficerColumnSpec column;
  column.info = {header, CellForm::Switch, ColumnRange{0, 1}, nullptr};
  column.read = [field](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    Part::of(import, row).set(field, parseSwitch(cell) ? 1u : 0u);
  };
  column.write = [field](const OfficerAt& at) { return numeral(Part::of(at.scenario(), at.number).get(field)); };
  return column;
}

// Written for the player's orientation; reading it changes nothing.
OfficerColumnSpec shown(const char* header, std::function<std::string(const OfficerAt&)> write) {
  OfficerColumnSpec column;
  column.info = {header, CellForm::Shown, std::nullopt, nullptr};
  column.read = [](OfficerImport&, OfficerRow&, std::string_view) {};
  column.write = std::move(write);
  return column;
}

OfficerColumnSpec newId() {
  OfficerColumnSpec column;
  column.info = {"新ID", CellForm::Number, ColumnRange{0, kIdLimit - 1}, nullptr};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    const int id = parseBounded(cell, kIdLimit - 1);
    std::uint32_t& firstRow = import.newIdFirstRow[row.s][static_cast<std::size_t>(id)];
    if (firstRow != 0) failCellWith(kIdRepeated, formatMessage(kIdFirstRow, firstRow));
    firstRow = row.line + 1;
    profileOf(import, row).set(profile::id, static_cast<std::uint16_t>(id));
  };
  column.write = [](const OfficerAt& at) { return numeral(at.profile().get(profile::id)); };
  return column;
}

OfficerColumnSpec newName() {
  OfficerColumnSpec column;
  column.info = {kOfficerNameColumn, CellForm::Text, std::nullopt, nullptr};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    const std::string name = gbkNameOf(cell);
    requireNameRoom(cell, name.size(), kOfficerNameLength, kOfficerNameTooLong, false);
    profileOf(import, row).setText(profile::name, name, kOfficerNameWidth);
  };
  column.write = [](const OfficerAt& at) { return tableexport::cellOrNone(officerName(at.profile())); };
  column.carries = [](const OfficerAt& at) { return !officerName(at.profile()).empty(); };
  return column;
}

OfficerColumnSpec parentId() {
  OfficerColumnSpec column;
  column.info = {"父母ID", CellForm::Number, std::nullopt, nullptr};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    profileOf(import, row)
        .set(profile::parentId, static_cast<std::uint16_t>(parseUnsigned(cell, 10)));  // low 16 bits
  };
  column.write = [](const OfficerAt& at) { return numeral(at.profile().get(profile::parentId)); };
  return column;
}

OfficerColumnSpec birthYear() {
  OfficerColumnSpec column;
  column.info = {"出生年份", CellForm::Number, ColumnRange{kYearBase, kHighestYear}, nullptr};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    profileOf(import, row)
        .set(profile::birthYear, static_cast<std::uint8_t>(parseRanged(cell, kYearBase, kHighestYear, 10) - kYearBase));
  };
  column.write = [](const OfficerAt& at) { return numeral(at.profile().get(profile::birthYear) + kYearBase); };
  return column;
}

OfficerColumnSpec appearYear() {
  OfficerColumnSpec column;
  column.movesOfficers = true;
  column.info = {"上场年份", CellForm::Number, ColumnRange{kYearBase, kHighestYear}, nullptr};
  column.read = applyAppearYearColumn;
  // An officer on the map has no year of appearance; the scenario's start year stands for "in play".
  column.write = [](const OfficerAt& at) {
    const WaitingEntry* entry = at.queueEntry();
    return numeral(entry != nullptr ? entry->appearYear + kYearBase : at.scenario().block.get(block::startYear));
  };
  return column;
}

OfficerColumnSpec status() {
  OfficerColumnSpec column;
  column.info = {"身份", CellForm::Name, std::nullopt, statusTable};
  column.read = [](OfficerImport&, OfficerRow&, std::string_view) {
  };  // applied before the columns, to waiting officers only
  column.write = [](const OfficerAt& at) {
    return informative(nameOf(statusTable(), static_cast<int>(at.state().get(state::status))));
  };
  return column;
}

OfficerColumnSpec formations() {
  OfficerColumnSpec column;
  column.info = {"阵形", CellForm::NameList, std::nullopt, formationTable};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    // Bit 0 (no formation) is always set; "---" leaves only it.
    profileOf(import, row)
        .set(profile::formations, static_cast<std::uint16_t>(parseNameSet(formationTable(), cell, ',') | 1u));
  };
  column.write = [](const OfficerAt& at) {
    return nameList(formationTable(), at.profile().get(profile::formations) & kNamedFormationBits);
  };
  column.carries = [](const OfficerAt& at) {
    const std::uint16_t bits = at.profile().get(profile::formations);
    return (bits & kNoFormationBit) != 0 && (bits & ~(kNamedFormationBits | kNoFormationBit)) == 0;
  };
  return column;
}

// Six skill names, in the order of the officer's six learnable slots.
OfficerColumnSpec learnableSkills() {
  OfficerColumnSpec column;
  column.info = {"可学技能", CellForm::NameList, std::nullopt, skillTable};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    if (cell == "---") failCell(kSkillsEmpty);
    std::array<std::string_view, profile::learnableSkills.count> names;
    if (splitListUpTo(cell, ',', names) != names.size()) failCell(kSixSkills, FaultKind::WrongCount);
    OfficerProfile& profile = profileOf(import, row);
    const ColumnDictionary& skills = skillTable();
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
      const std::optional<int> code = skills.find(names[slot]);
      if (!code) failCell(kUnknownName, FaultKind::UnknownName, std::string(names[slot]));
      profile.set(profile::learnableSkills, slot, static_cast<std::uint8_t>(*code));
    }
  };
  column.write = [](const OfficerAt& at) {
    std::vector<std::string> names;
    for (std::size_t slot = 0; slot < profile::learnableSkills.count; ++slot)
      names.push_back(informative(nameOf(skillTable(), at.profile().get(profile::learnableSkills, slot))));
    return joinCells(names, ",");
  };
  return column;
}

OfficerColumnSpec learnedSkills() {
  OfficerColumnSpec column;
  column.info = {"已学技能", CellForm::NameList, std::nullopt, skillTable};
  column.read = [](OfficerImport&, OfficerRow& row, std::string_view cell) {
    row.namedSkills = parseNameSet(skillTable(), cell, ',');
  };
  column.write = [](const OfficerAt& at) { return nameList(skillTable(), at.state().get(state::learnedSkills)); };
  return column;
}

// Whether a hexadecimal cell is a negative number or one beyond 32 bits.
bool outsideThirtyTwoBits(std::string_view cell) {
  if (plainUnsigned(cell, 16)) return false;
  const std::string text(cell);
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  errno = 0;
  const unsigned long long magnitude = std::strtoull(text.c_str() + at, nullptr, 16);
  return errno == ERANGE || magnitude > 0xFFFFFFFFull || (negative && magnitude != 0);
}

OfficerColumnSpec extraSkills() {
  OfficerColumnSpec column;
  column.info = {"附加技能", CellForm::HexNumber, std::nullopt, nullptr};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    row.extraSkills = parseUnsigned(cell, 16);
    // A negative number wraps and a longer one saturates (parseUnsigned): -1 grants every skill. Such a
    // cell is kept as it has always been read, and the player is told what it grants.
    if (import.warnings != nullptr && outsideThirtyTwoBits(cell)) {
      const std::string granted =
          row.extraSkills == 0xFFFFFFFFu ? std::string(kEveryExtraSkill) : nameList(skillTable(), row.extraSkills);
      import.warnings->atRow(
          formatMessage(kExtraSkillsOutside, std::string(cell).c_str(), unsigned{row.extraSkills}, granted.c_str()),
          row.line);
    }
  };
  column.write = [](const OfficerAt&) {
    return std::string("0");
  };  // every skill has a name, so 已学技能 carries them all
  return column;
}

// "---" gives every field of work that a ruler has; a name gives only its own field.
OfficerColumnSpec duties() {
  OfficerColumnSpec column;
  column.info = {"主管", CellForm::Name, std::nullopt, dutyTable};
  column.read = [](OfficerImport& import, OfficerRow& row, std::string_view cell) {
    OfficerState& officer = stateOf(import, row);
    if (cell == "---") {
      officer.set(state::duties, kRulerDuties);
      return;
    }
    const std::optional<int> code = dutyTable().find(cell);
    if (!code) failCell(kUnknownName, FaultKind::UnknownName, std::string(cell));
    officer.set(state::duties, static_cast<unsigned>(*code));
  };
  column.write = [](const OfficerAt& at) {
    const unsigned value = at.state().get(state::duties);
    return at.state().get(state::status) != kRuler && std::popcount(value) == 1
               ? std::string(nameOf(dutyTable(), static_cast<int>(value)))
               : std::string("---");
  };
  // A name carries one field of work, "---" a ruler's fields; no cell says that an officer heads none.
  column.carries = [](const OfficerAt& at) {
    const unsigned value = at.state().get(state::duties);
    return at.state().get(state::status) != kRuler ? std::popcount(value) == 1 : value == kRulerDuties;
  };
  return column;
}

OfficerColumnSpec location() {
  OfficerColumnSpec column;
  column.movesOfficers = true;
  column.info = {"所在地", CellForm::Name, std::nullopt, cityTable};
  column.read = applyLocationColumn;
  column.write = [](const OfficerAt& at) { return informative(nameOf(cityTable(), at.state().get(state::location))); };
  column.carries = [](const OfficerAt& at) { return isCityNumber(at.state().get(state::location)); };
  return column;
}

// 1 only for the head of his city's serving list, for whom appointing him again changes nothing.
OfficerColumnSpec governor() {
  OfficerColumnSpec column;
  column.movesOfficers = true;
  column.info = {"太守", CellForm::Switch, ColumnRange{0, 1}, nullptr};
  column.read = applyGovernorColumn;
  column.write = [](const OfficerAt& at) {
    const int c = at.state().get(state::location);
    const bool governs = isServing(at.state().get(state::status)) && isCityNumber(c) &&
                         at.scenario().city(c).get(city::governor) == at.number;
    return std::string(governs ? "1" : "0");
  };
  return column;
}

OfficerColumnSpec items() {
  OfficerColumnSpec column;
  column.movesOfficers = true;
  column.info = {"宝物", CellForm::NameList, std::nullopt, itemTable};
  column.read = applyItemsColumn;
  column.write = [](const OfficerAt& at) { return nameList(itemTable(), at.state().get(state::items)); };
  return column;
}

std::string forceOf(const OfficerAt& at) {
  const int f = at.state().get(state::force);
  return isForceNumber(f) ? numeral(f) : kNoCell;
}

std::string rulerOf(const OfficerAt& at) {
  const int f = at.state().get(state::force);
  return isForceNumber(f) ? nameOfNumber(at.scenario(), at.scenario().force(f).get(force::ruler)) : kNoCell;
}

std::string ageOf(const OfficerAt& at) {
  const int startYear = at.scenario().block.get(block::startYear);
  const int born = at.profile().get(profile::birthYear) + kYearBase;
  return startYear >= born ? numeral(startYear - born) : kNoCell;
}

std::array<OfficerColumnSpec, kOfficerColumnCount> makeColumns() {
  constexpr ColumnRange kByte{0, 255};
  constexpr ColumnRange kPercent{0, 100};
  constexpr ColumnRange kFourBits{0, 15};
  constexpr ColumnRange kThreeBits{0, 7};
  constexpr ColumnRange kTwoBits{0, 3};
  return {
      newId(),
      newName(),
      flag<ProfilePart>("性别", profile::gender),
      parentId(),
      shown("父母姓名",
            [](const OfficerAt& at) {
              const std::optional<OfficerIndex> parent =
                  at.set.officerIndexOf(at.s, at.profile().get(profile::parentId));
              return nameOfNumber(at.scenario(), parent ? parent->number() : 0);
            }),
      birthYear(),
      appearYear(),
      status(),
      number<StatePart>("寿命", state::lifespan, kThreeBits),
      number<ProfilePart>("家族", profile::family, kByte),
      number<ProfilePart>("成长", profile::growth, kFourBits),
      number<ProfilePart>("相性", profile::affinity, ColumnRange{0, 150}),
      number<StatePart>("善恶", state::goodEvil, kTwoBits),
      number<StatePart>("武力", state::war, kByte),
      number<StatePart>("智力", state::intelligence, kByte),
      number<StatePart>("政治", state::politics, kByte),
      number<StatePart>("魅力", state::charisma, kByte),
      number<ProfilePart>("义气", profile::righteousness, kFourBits),
      number<ProfilePart>("野心", profile::ambition, kFourBits),
      number<ProfilePart>("勇猛", profile::bravery, kThreeBits),
      number<ProfilePart>("冷静", profile::calmness, kThreeBits),
      formations(),
      learnableSkills(),
      number<StatePart>("已学技能数", state::learnedCount, ColumnRange{0, 6}),
      learnedSkills(),
      extraSkills(),
      number<StatePart>("勇名", state::fame, ColumnRange{0, 10000}),
      number<StatePart>("经验", state::experience, ColumnRange{0, 60000}),
      shown("年龄", ageOf),
      number<StatePart>("忠诚度", state::loyalty, kPercent),
      flag<StatePart>("叛乱", state::rebel),
      flag<StatePart>("已行动", state::acted),
      flag<StatePart>("特征", state::trait),
      number<StatePart>("归属", state::allegiance, kTwoBits),
      number<StatePart>("士兵", state::soldiers, ColumnRange{0, 20000}),
      number<StatePart>("训练", state::training, kPercent),
      number<StatePart>("士气", state::morale, kPercent),
      location(),
      shown("势力", forceOf),
      shown("君主", rulerOf),
      governor(),
      duties(),
      shown("将军", [](const OfficerAt&) { return std::string(kNoCell); }),
      items(),
      shown("城市编号",
            [](const OfficerAt& at) {
              const int c = at.state().get(state::location);
              return isCityNumber(c) ? numeral(c) : std::string(kNoCell);
            }),
      shown("上一个", [](const OfficerAt& at) { return numeral(at.state().get(state::prevOfficer)); }),
      shown("上一武将",
            [](const OfficerAt& at) { return nameOfNumber(at.scenario(), at.state().get(state::prevOfficer)); }),
      shown("下一个", [](const OfficerAt& at) { return numeral(at.state().get(state::nextOfficer)); }),
      shown("下一武将",
            [](const OfficerAt& at) { return nameOfNumber(at.scenario(), at.state().get(state::nextOfficer)); }),
  };
}

}  // namespace

std::span<const OfficerColumnSpec> officerColumns() {
  static const std::array<OfficerColumnSpec, kOfficerColumnCount> columns = makeColumns();
  return columns;
}

const ColumnDictionary& officerColumnTable() {
  static const ColumnDictionary columns = [] {
    std::vector<const char*> headers;
    for (const OfficerColumnSpec& column : officerColumns()) headers.push_back(column.info.header);
    return ColumnDictionary(std::span<const char* const>(headers));
  }();
  return columns;
}

}  // namespace vorandel
