// The officer table's header, switch row and key cells: what is refused, what is skipped, which rows
// may name the same officer, and the order in which a row applies its columns.
#include <string>

#include "model/Messages.h"
#include "tables/TableMessages.h"
#include "tests/tables/OfficerTableFixture.h"

namespace vorandel::testing {
namespace {

using ReadingOfficerTable = OfficerTableTest;

TEST_F(ReadingOfficerTable, HeaderAndSwitchRowErrors) {
  const ScenarioSet before = set;
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力"}), "输入文件至少要有两行");
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号", "- - - 1 -"}), "输入文件列数不对");
  std::string wide = "剧本 ID 姓名 设置 编号";
  std::string wideSwitches = "- - - 1 -";
  for (int j = 0; j < 50; ++j) wide += " 武力", wideSwitches += " 1";
  EXPECT_EQ(run({wide, wideSwitches}), "存在多余的列");
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", "- - - 1 - 1 1"}), "前两行的列数不一致");
  EXPECT_EQ(run({"剧本 ID 名字 设置 编号 武力", "- - - 1 - 1"}),
            cellErrorText(1, 1, "A1", "第一行前五列必须为： 剧本 ID 姓名 设置 编号"));
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力 武功", "- - - 1 - 1 1"}), cellErrorText(1, 7, "G1", kUnknownName));
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力 智力", "- - - 1 - 1 2"}), cellErrorText(2, 7, "G2", kNotASwitch));
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", "- - - 是 - 1"}), cellErrorText(2, 4, "D2", kNotASwitch));
  EXPECT_EQ(set, before) << "no row was applied";
}

TEST_F(ReadingOfficerTable, KeyCellsOfSkippedRowsMustStillParse) {
  const ScenarioSet before = set;
  const std::string header = "剧本 ID 姓名 设置 编号 武力";
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 x12 某 0 0 99"}), cellErrorText(3, 1, "A3", kNotAnInteger));
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 12 某 6 0 99"}), cellErrorText(3, 1, "A3", kOutOfRange));
  EXPECT_EQ(run({header, "- - - 1 - 1", "33 12 某 0 0 99"}), cellErrorText(3, 1, "A3", kOutOfRange));
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 12 某 0 -1 99"}), cellErrorText(3, 1, "A3", kOutOfRange));
  // Any scenario number a set may have parses; a row of a scenario this set lacks is passed over.
  EXPECT_EQ(run({header, "- - - 1 - 1", "2 12 某 0 0 99", "0 12 某 0 0 x"}), "(no error)");
  EXPECT_EQ(run({header, "- - - 1 - 1", "32 12 某 1 0 x"}), "(no error)");
  EXPECT_EQ(set, before);
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 12 某 1 0 99", ""}), cellErrorText(4, 1, "A4", "每行的列数必须一致。"));
  EXPECT_EQ(officer(0, 12).get(state::war), 99) << "rows before the error stay applied";
  set = before;
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 12 某 1 0 99 1"}), cellErrorText(3, 1, "A3", "每行的列数必须一致。"));
  EXPECT_EQ(set, before);
}

TEST_F(ReadingOfficerTable, RowsForIdsAScenarioLacksAreSkipped) {
  const ScenarioSet before = set;
  // Ids below the largest id of the set (42) that no officer has.
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", "- - - 1 - 1", "0 15 无人 1 0 99", "1 33 无人 4 0 x"}), "(no error)");
  EXPECT_EQ(set, before);
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", "- - - 1 - 1", "0 43 无人 1 0 99"}),
            cellErrorText(3, 2, "B3", "头像编号错误"));
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", "- - - 1 - 1", "0 3000 无人 1 0 99"}),
            cellErrorText(3, 2, "B3", "头像编号错误"));
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", "- - - 1 - 1", "0 3000 无人 3 0 99"}), kPortraitOutOfRange);
}

TEST_F(ReadingOfficerTable, AnIdOncePerScenarioAndANewIdOncePerScenario) {
  const std::string header = "剧本 ID 姓名 设置 编号 武力 新ID";
  EXPECT_EQ(run({header, "- - - 1 - 1 0", "0 12 某 1 0 70 0", "1 12 某 2 0 71 0"}), "(no error)");
  EXPECT_EQ(officer(0, 12).get(state::war), 70);
  EXPECT_EQ(officer(1, 12).get(state::war), 71);
  EXPECT_EQ(run({header, "- - - 1 - 1 0", "0 13 某 1 0 70 0", "0 13 某 1 0 72 0"}),
            cellErrorText(4, 2, "B4", kIdRepeated));

  set = smallValidSet();
  giveDistinctSkills(set);
  EXPECT_EQ(run({header, "- - - 1 - 1 1", "0 12 某 1 0 70 500", "1 13 某 1 0 70 500"}), "(no error)");
  EXPECT_EQ(set.scenarios[0].officerProfile(3).get(profile::id), 500);
  EXPECT_EQ(set.scenarios[1].officerProfile(4).get(profile::id), 500);
  EXPECT_EQ(set.officerIndexOf(0, 12), OfficerIndex{2})
      << "the id index keeps the old id until the set is loaded again";
  EXPECT_EQ(run({header, "- - - 1 - 1 1", "0 14 某 1 0 70 600", "0 21 某 1 0 70 600"}),
            cellErrorText(4, 7, "G4", kIdRepeated));
}

TEST_F(ReadingOfficerTable, ColumnsApplyInIdOrderWhateverTheFileOrder) {
  // 所在地 (37) stands first in the file, 士兵 (34) last: 士兵 is written before the unknown city fails.
  // 身份 is never applied to an officer on the map, so its nonsense cell passes.
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 所在地 身份 士兵", "- - - 1 - 1 1 1", "0 12 某 1 0 火星 胡说 1234"}),
            cellErrorText(3, 6, "F3", kUnknownName));
  EXPECT_EQ(officer(0, 12).get(state::soldiers), 1234);
}

TEST_F(ReadingOfficerTable, SwitchedOffAndMissingColumnsAreNotApplied) {
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力 智力", "- - - 1 - 0 1", "0 12 某 1 0 abc 77", "0 40 某 3 0 abc 78"}),
            "(no error)");
  EXPECT_EQ(officer(0, 12).get(state::war), 50) << "switched off";
  EXPECT_EQ(officer(0, 12).get(state::intelligence), 77);
  EXPECT_EQ(officer(0, 40).get(state::intelligence), 78) << "row mode 3 for an existing id is row mode 1";
}

TEST_F(ReadingOfficerTable, AHeaderOnlyTableStillOrdersTheWaitingOfficers) {
  // Officer 41 is given the earliest year in the queue; the table has no rows.
  set.waitingQueue[0][1].appearYear = 80;
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", "- - - 1 - 1"}), "(no error)");
  EXPECT_EQ(waitingIds(0), (std::vector<int>{41, 40, 42}));
  EXPECT_EQ(waitingIds(1), (std::vector<int>{40, 41, 42}));
  EXPECT_EQ(set.scenarios[0].block.get(block::appearYear, 0), 80);
  EXPECT_EQ(set.scenarios[0].block.get(block::appearYear, 1), 91);
  EXPECT_EQ(derivedIndexMismatch(set), "");
}

}  // namespace
}  // namespace vorandel::testing
