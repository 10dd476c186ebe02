// Moving officers with 所在地 in every row mode, the retreat of row mode 5, governors and items.
#include <string>

#include "rules/Placement.h"
#include "rules/Validator.h"
#include "tables/TableMessages.h"
#include "tests/tables/OfficerTableFixture.h"

namespace vorandel::testing {
namespace {

using PlacingOfficers = OfficerTableTest;

const std::string kLocationHeader = "剧本 ID 姓名 设置 编号 所在地";
const std::string kOn = "- - - 1 - 1";

TEST_F(PlacingOfficers, RowModeFourJoinsTheForceOfTheCity) {
  ASSERT_EQ(run({kLocationHeader, kOn,
                 "0 12 一般 4 0 弘农",    // a city of his own force
                 "0 11 军师 4 0 吴",      // a city of another force
                 "0 14 一般 4 0 襄平",    // a city nobody owns
                 "0 32 在野 4 0 洛阳",    // already there, but unaffiliated: he joins 洛阳's force
                 "0 13 太守 4 0 弘农"}),  // already there and serving: nothing happens
            "(no error)");
  EXPECT_EQ(officer(0, 12).get(state::force), 1);
  EXPECT_EQ(officer(0, 12).get(state::status), kOrdinary);
  EXPECT_EQ(officer(0, 12).get(state::location), 12);
  EXPECT_EQ(officer(0, 12).get(state::changeMarker), 0);

  EXPECT_EQ(officer(0, 11).get(state::force), 2);
  EXPECT_EQ(officer(0, 11).get(state::status), kStrategist);
  EXPECT_EQ(officer(0, 11).get(state::duties), 0x20u);
  EXPECT_EQ(officer(0, 11).get(state::changeMarker), 0xFF);
  EXPECT_EQ(officer(0, 11).get(state::location), 34);

  EXPECT_EQ(officer(0, 14).get(state::force), -1);
  EXPECT_EQ(officer(0, 14).get(state::status), kUnaffiliated);
  EXPECT_EQ(city(0, 1).get(city::unaffiliatedHead), numberOf(0, 14));

  EXPECT_EQ(officer(0, 32).get(state::force), 1);
  EXPECT_EQ(officer(0, 32).get(state::status), kOrdinary);
  EXPECT_EQ(city(0, 11).get(city::unaffiliatedHead), -1);
  EXPECT_EQ(city(0, 12).get(city::governor), numberOf(0, 13));
  EXPECT_EQ(validationError(set), "");
}

TEST_F(PlacingOfficers, OtherRowModesMoveWithinTheRules) {
  ASSERT_EQ(run({kLocationHeader, kOn, "0 12 某 1 0 弘农", "0 30 某 2 0 吴", "0 21 某 1 0 洛阳"}),
            cellErrorText(5, 6, "F5", "无法移动武将到其它势力的城市"));
  EXPECT_EQ(officer(0, 12).get(state::location), 12);
  EXPECT_EQ(officer(0, 30).get(state::location), 34);
  EXPECT_EQ(officer(0, 30).get(state::status), kUnaffiliated);
  EXPECT_EQ(city(0, 34).get(city::unaffiliatedHead), numberOf(0, 30));
}

TEST_F(PlacingOfficers, RowModeFiveDrivesOutTheDefendersOfAnotherForce) {
  // 吴 (34) heads force 2's chain, so its ruler and officer retreat to the next city, 建业 (33).
  ASSERT_EQ(run({kLocationHeader, kOn, "0 12 某 5 0 吴", "1 12 某 5 0 襄平", "1 13 某 5 0 洛阳"}), "(no error)");
  const int attacker = numberOf(0, 12);
  EXPECT_EQ(city(0, 34).get(city::owner), 1);
  EXPECT_EQ(city(0, 34).get(city::governor), attacker);
  EXPECT_EQ(officer(0, 12).get(state::isGovernor), 1u);
  EXPECT_EQ(city(0, 33).get(city::governor), numberOf(0, 20));
  EXPECT_EQ(officer(0, 20).get(state::nextOfficer), numberOf(0, 21));
  EXPECT_EQ(officer(0, 21).get(state::location), 33);
  EXPECT_EQ(set.scenarios[0].force(2).get(force::firstCity), 33);
  EXPECT_EQ(city(1, 1).get(city::owner), 1) << "a city nobody owns is simply taken";
  EXPECT_EQ(officer(1, 13).get(state::location), 11) << "a city of his own force is simply entered";
  EXPECT_EQ(city(1, 12).get(city::governor), numberOf(1, 14));
  EXPECT_EQ(validationError(set), "");
}

TEST_F(PlacingOfficers, TheRetreatNeedsAnotherCityAndDefendersWhoCanLeave) {
  ScenarioBuilder b;
  b.addForce(11, 10);
  b.addServing(11, 11);
  b.addForce(34, 20);
  set = makeSet({b.build()});
  giveDistinctSkills(set);
  EXPECT_EQ(run({kLocationHeader, kOn, "0 11 某 5 0 吴"}), cellErrorText(3, 6, "F3", "只剩一个城无法撤退。"));

  // Data in which the second defender already claims to stand in the refuge city: he cannot move, and
  // the retreat stops instead of trying for ever.
  set = smallValidSet();
  giveDistinctSkills(set);
  officer(0, 21).set(state::location, 33);
  EXPECT_EQ(run({kLocationHeader, kOn, "0 12 某 5 0 吴"}), cellErrorText(3, 6, "F3", "守城武将无法撤退。"));
}

TEST_F(PlacingOfficers, GovernorColumnAppointsStrategistsAndOrdinaryOfficers) {
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 太守", "- - - 1 - 1",
                 "0 14 某 1 0 1",    // second in 弘农: becomes its governor
                 "0 12 某 1 0 1",    // in the ruler's city: directly after the ruler
                 "0 10 君 1 0 1",    // a ruler is left alone
                 "0 30 某 1 0 1",    // an unaffiliated officer too
                 "0 21 某 1 0 0"}),  // 0 removes nobody
            "(no error)");
  EXPECT_EQ(city(0, 12).get(city::governor), numberOf(0, 14));
  EXPECT_EQ(officer(0, 14).get(state::isGovernor), 1u);
  EXPECT_EQ(officer(0, 13).get(state::isGovernor), 0u);
  EXPECT_EQ(officer(0, 14).get(state::nextOfficer), numberOf(0, 13));
  EXPECT_EQ(city(0, 11).get(city::governor), numberOf(0, 10));
  EXPECT_EQ(officer(0, 10).get(state::nextOfficer), numberOf(0, 12));
  EXPECT_EQ(officer(0, 12).get(state::nextOfficer), numberOf(0, 11));
  EXPECT_EQ(city(0, 34).get(city::governor), numberOf(0, 20));
  EXPECT_EQ(validationError(set), "");
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 太守", "- - - 1 - 1", "0 13 某 1 0 是"}),
            cellErrorText(3, 6, "F3", kNotASwitch));
}

class HandingOutItems : public OfficerTableTest {
 protected:
  HandingOutItems() { setItemHolder(set, 0, 27, OfficerNumber{numberOf(0, 10)}); }  // the ruler rides 赤兔马

  std::uint32_t items(std::size_t s, int id) { return officer(s, id).get(state::items); }
  int holder(std::size_t s, int item) {
    return set.scenarios[s].trailer.get(trailer::itemHolder, static_cast<std::size_t>(item));
  }

  const std::string header = "剧本 ID 姓名 设置 编号 宝物";
};

TEST_F(HandingOutItems, ItemsAreTakenFromTheirHolderAndGivenOncePerImport) {
  ASSERT_EQ(run({header, kOn, "0 12 某 1 0 赤兔马,倚天剑", "1 12 某 1 0 赤兔马"}), "(no error)");
  EXPECT_EQ(items(0, 12), 1u << 27 | 1u << 12);
  EXPECT_EQ(items(0, 10), 0u);
  EXPECT_EQ(holder(0, 27), numberOf(0, 12));
  EXPECT_EQ(holder(1, 27), numberOf(1, 12));
  EXPECT_EQ(validationError(set), "");

  EXPECT_EQ(run({header, kOn, "0 12 某 1 0 赤兔马", "0 13 某 1 0 赤兔马"}),
            cellErrorText(4, 6, "F4", "同一宝物拥有者只能有一个"));
  EXPECT_EQ(run({header, kOn, "0 13 某 1 0 史记,史记"}), cellErrorText(3, 6, "F3", "同一宝物拥有者只能有一个"));
  EXPECT_EQ(run({header, kOn, "0 13 某 1 0 史记，六韬"}), cellErrorText(3, 6, "F3", kUnknownName));
}

TEST_F(HandingOutItems, TheItemRuleLimitsOrdinaryOfficersButNotRulersOrIds492To499) {
  EXPECT_EQ(run({header, kOn, "0 12 某 1 0 倚天剑,青釭剑"}), cellErrorText(3, 6, "F3", kOneItemKind));
  EXPECT_EQ(run({header, kOn, "0 13 某 1 0 玉玺"}), cellErrorText(3, 6, "F3", kOneItemKind));
  set = smallValidSet();
  giveDistinctSkills(set);
  setItemHolder(set, 0, 0, OfficerNumber{numberOf(0, 14)});  // 孙子兵法
  EXPECT_EQ(run({header, kOn, "0 14 某 1 0 六韬"}), cellErrorText(3, 6, "F3", kOneItemKind))
      << "items he held before stay and count";
  set = smallValidSet();
  giveDistinctSkills(set);
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 身份 所在地 主管 宝物", "- - - 1 - 0 0 1 1",
                 "0 12 某 1 0 - - 军事 倚天剑,赤兔马,孙子兵法,青囊书", "0 10 君 1 0 - - --- 青釭剑,方天画戟,玉玺",
                 "0 495 某 3 0 一般 洛阳 军事 七星剑,三尖刀,绝影,的卢"}),
            "(no error)");
  EXPECT_EQ(items(0, 495), 1u << 20 | 1u << 22 | 1u << 30 | 1u << 28);
  EXPECT_EQ(validationError(set), "");
}

TEST_F(HandingOutItems, WaitingOfficersHoldNoItems) {
  EXPECT_EQ(run({header, kOn, "0 40 某 1 0 赤兔马"}), cellErrorText(3, 6, "F3", kWaitingHoldsNoItems));
  set = smallValidSet();
  giveDistinctSkills(set);
  officer(0, 41).set(state::items, 1u << 3);
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 武力", kOn, "0 41 某 1 0 60"}),
            cellErrorText(3, 6, "F3", kWaitingHoldsNoItems));
  EXPECT_EQ(run({header, kOn, "0 41 某 1 0 ---"}), "(no error)");
  EXPECT_EQ(items(0, 41), 0u);
}

TEST_F(HandingOutItems, EmptyingAnOfficersItemsFreesWhatHeHeld) {
  setItemHolder(set, 0, 12, OfficerNumber{numberOf(0, 10)});
  officer(0, 10).set(state::items, items(0, 10) | 1u << 5);  // a bit whose holder entry names nobody
  ASSERT_EQ(run({header, kOn, "0 10 君 1 0 ---"}), "(no error)");
  EXPECT_EQ(items(0, 10), 0u);
  EXPECT_EQ(holder(0, 27), -1);
  EXPECT_EQ(holder(0, 12), -1);
  EXPECT_EQ(validationError(set), "");
}

TEST_F(HandingOutItems, LongTrailersLeaveItemsAlone) {
  set.longTrailer = true;
  ASSERT_EQ(run({header, kOn, "0 12 某 1 0 不存在的宝物", "0 10 君 1 0 ---"}), "(no error)");
  EXPECT_EQ(items(0, 10), 1u << 27);
}

}  // namespace
}  // namespace vorandel::testing
