// New officers (row mode 3), waiting officers brought onto the map by 身份, their appearance years and
// the waiting order that ends every import.
#include <string>

#include "model/Messages.h"
#include "rules/RuleMessages.h"
#include "rules/Validator.h"
#include "tables/TableMessages.h"
#include "tests/tables/OfficerTableFixture.h"

namespace vorandel::testing {
namespace {

using NewOfficers = OfficerTableTest;

TEST_F(NewOfficers, RowModeThreeCreatesAnOfficerAndBringsHimOntoTheMap) {
  // 身份, 所在地 and 主管 are switched off; a created officer takes every column of the header.
  ASSERT_EQ(
      run({"剧本 ID 姓名 设置 编号 身份 所在地 武力 主管", "- - - 1 - 0 0 0 0", "0 600 新人 3 0 一般 洛阳 77 军事",
           "0 601 新人 3 0 一般 襄平 78 外交", "0 12 旧人 3 0 军师 襄平 79 外交"}),
      "(no error)");
  const Scenario& scenario = set.scenarios[0];
  EXPECT_EQ(scenario.onMapCount, 12u);
  EXPECT_EQ(scenario.waitingCount, 3u);
  // He comes onto the map as an ordinary officer; the template's 智力 and 政治 of 90 make him a strategist.
  EXPECT_EQ(officer(0, 600).get(state::status), kStrategist);
  EXPECT_EQ(officer(0, 600).get(state::force), 1);
  EXPECT_EQ(officer(0, 600).get(state::location), 11);
  EXPECT_EQ(officer(0, 600).get(state::war), 77);
  EXPECT_EQ(officer(0, 600).get(state::duties), 1u);
  EXPECT_EQ(officer(0, 601).get(state::status), kUnaffiliated) << "nobody owns 襄平";
  EXPECT_EQ(officer(0, 601).get(state::force), -1);
  EXPECT_EQ(officer(0, 601).get(state::location), 1);
  EXPECT_EQ(officer(0, 12).get(state::war), 50) << "an existing id takes only switched-on columns";
  EXPECT_EQ(officer(0, 12).get(state::location), 11);
  EXPECT_EQ(set.officerIndexOf(1, 600), std::nullopt);
  EXPECT_EQ(derivedIndexMismatch(set), "");
  EXPECT_EQ(validationError(set), "");
}

TEST_F(NewOfficers, WithoutStatusTheNewOfficerWaitsInTheOrderOfHisYear) {
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 上场年份 所在地 主管", "- - - 1 - 0 0 0", "0 600 新人 3 5 191 洛阳 军事",
                 "0 601 新人 3 99 192 吴 内政", "1 600 新人 3 0 300 长安 人事"}),
            "(no error)");
  EXPECT_EQ(waitingIds(0), (std::vector<int>{600, 40, 41, 42, 601}));
  const int years[5] = {91, 91, 92, 92, 92};
  for (std::size_t j = 0; j < 5; ++j) EXPECT_EQ(set.scenarios[0].block.get(block::appearYear, j), years[j]);
  EXPECT_EQ(officer(0, 600).get(state::status), kWaiting);
  EXPECT_EQ(officer(0, 600).get(state::location), 11);
  EXPECT_EQ(officer(0, 601).get(state::location), 34);
  EXPECT_EQ(waitingIds(1), (std::vector<int>{40, 41, 42, 600}));
  EXPECT_EQ(set.scenarios[1].block.get(block::appearYear, 3), 200);
  EXPECT_EQ(derivedIndexMismatch(set), "");
  EXPECT_EQ(validationError(set), "");
}

TEST_F(NewOfficers, WithoutDutiesTheNewOfficerHoldsTheOneDutyOfTheTemplate) {
  // 特殊, the duty of an officer who enters a force without an assigned job: a new officer who waits or
  // serves passes the finishing rules without a 主管 column.
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 身份 所在地", "- - - 1 - 0 0", "0 600 新人 3 0 待命 洛阳",
                 "0 601 新人 3 0 一般 洛阳"}),
            "(no error)");
  EXPECT_EQ(officer(0, 600).get(state::status), kWaiting);
  EXPECT_EQ(officer(0, 600).get(state::duties), 0x20u);
  EXPECT_EQ(officer(0, 601).get(state::force), 1);
  EXPECT_EQ(officer(0, 601).get(state::duties), 0x20u);
  EXPECT_EQ(officer(0, 601).get(state::goodEvil), 3u);
  EXPECT_EQ(validationError(set), "");
  // With a 主管 column the column decides, as before.
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 所在地 主管", "- - - 1 - 0 0", "1 602 新人 3 0 洛阳 外交"}), "(no error)");
  EXPECT_EQ(officer(1, 602).get(state::duties), 16u);
}

TEST_F(NewOfficers, AnOfficerAddedAfterAnActivationWaitsUntilTheLatestYear) {
  // Bringing id 42 (192) onto the map moves id 40 (191) to the end of the queue; the new officer still
  // appears in 192, with id 41, and is born in 177.
  ASSERT_EQ(
      run({"剧本 ID 姓名 设置 编号 身份 所在地", "- - - 1 - 1 0", "0 42 某 1 0 一般 谯", "0 600 新人 3 0 待命 洛阳"}),
      "(no error)");
  EXPECT_EQ(officer(0, 42).get(state::status), kUnaffiliated) << "nobody owns 谯";
  EXPECT_EQ(waitingIds(0), (std::vector<int>{40, 41, 600}));
  const int years[3] = {91, 92, 92};
  for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(set.scenarios[0].block.get(block::appearYear, j), years[j]);
  EXPECT_EQ(profileOf(0, 600).get(profile::birthYear), 77);
  EXPECT_EQ(derivedIndexMismatch(set), "");
  EXPECT_EQ(validationError(set), "");
}

TEST_F(NewOfficers, TheTemplateLocationNeedsItsColumn) {
  // Without 所在地 he stays at location 0, which the check of the scenario refuses.
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 主管", "- - - 1 - 1", "0 600 新人 3 0 军事"}), "(no error)");
  EXPECT_EQ(officer(0, 600).get(state::location), 0);
  EXPECT_NE(validationError(set), "");
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 所在地", "- - - 0 - 0", "0 602 新人 3 0 火星"}),
            cellErrorText(3, 6, "F3", kUnknownName));
}

TEST_F(NewOfficers, StatusBringsAWaitingOfficerOntoTheMapOrLeavesHimWaiting) {
  const std::string header = "剧本 ID 姓名 设置 编号 身份 武力";
  ASSERT_EQ(run({header, "- - - 1 - 1 1", "0 40 某 1 0 君主 60", "0 42 某 1 0 待命 61", "1 41 某 1 0 军师 62"}),
            "(no error)");
  EXPECT_EQ(officer(0, 40).get(state::status), kWaiting);
  EXPECT_EQ(officer(0, 42).get(state::status), kWaiting);
  EXPECT_EQ(officer(0, 42).get(state::war), 61);
  EXPECT_EQ(officer(1, 41).get(state::status), kStrategist);
  EXPECT_EQ(officer(1, 41).get(state::force), 2);
  EXPECT_EQ(officer(1, 41).get(state::location), 34);
  EXPECT_EQ(officer(1, 41).get(state::war), 62) << "the row follows him to his new place";
  EXPECT_EQ(officer(1, 41).get(state::intelligence), 90) << "and ends as a strategist";
  EXPECT_EQ(set.scenarios[1].onMapCount, 11u);
  EXPECT_EQ(derivedIndexMismatch(set), "");
  EXPECT_EQ(run({header, "- - - 1 - 1 1", "1 40 某 1 0 皇帝 60"}), cellErrorText(3, 6, "F3", kUnknownName));
  EXPECT_EQ(run({header, "- - - 1 - 0 1", "1 42 某 1 0 皇帝 60"}), "(no error)") << "身份 switched off";
}

TEST_F(NewOfficers, AppearanceYearsOrderTheWaitingByYearThenNumberThenPlace) {
  const std::string header = "剧本 ID 姓名 设置 编号 上场年份";
  ASSERT_EQ(run({header, "- - - 1 - 1", "0 41 某 1 7 192", "0 42 某 1 3 192", "0 12 某 1 0 年份"}), "(no error)")
      << "上场年份 does nothing for an officer on the map";
  EXPECT_EQ(waitingIds(0), (std::vector<int>{40, 42, 41}));
  ASSERT_EQ(run({header, "- - - 1 - 1", "1 41 某 1 5 150", "1 42 某 1 5 150", "1 40 某 1 0 355"}), "(no error)");
  EXPECT_EQ(waitingIds(1), (std::vector<int>{41, 42, 40}));
  EXPECT_EQ(set.scenarios[1].block.get(block::appearYear, 2), 255);
  EXPECT_EQ(derivedIndexMismatch(set), "");
  EXPECT_EQ(run({header, "- - - 1 - 1", "1 41 某 1 5 356"}), cellErrorText(3, 6, "F3", kOutOfRange));
  set.waitingQueue[1][0].id = 42;
  EXPECT_EQ(run({header, "- - - 1 - 1", "1 41 某 1 5 150"}), cellErrorText(3, 6, "F3", kWaitingListBroken));
}

TEST_F(NewOfficers, TheWaitingOrderRefusesAQueueThatDisagreesWithTheRecords) {
  const std::vector<std::string> emptyTable{"剧本 ID 姓名 设置 编号 武力", "- - - 1 - 1"};
  set.waitingQueue[0].pop_back();
  EXPECT_EQ(run(emptyTable), "待上场武将数出错");
  set = smallValidSet();
  set.scenarios[1].block.set(block::storedWaitingCount, 9);
  EXPECT_EQ(run(emptyTable), kOfficersBroken);
  set = smallValidSet();
  set.waitingQueue[1][2].index = 3;
  EXPECT_EQ(run(emptyTable), "待上场武将编号出错");
  set = smallValidSet();
  set.officerIndexById[1][42] = 3;
  EXPECT_EQ(run(emptyTable), kWaitingListBroken);
}

}  // namespace
}  // namespace vorandel::testing
