// The officer table's value columns and the finishing rules that every applied row ends with.
#include <string>

#include "tables/OfficerTableFinishing.h"
#include "tables/TableMessages.h"
#include "tests/support/RecordNames.h"
#include "tests/tables/OfficerTableFixture.h"

namespace vorandel::testing {
namespace {

using OfficerValues = OfficerTableTest;

TEST_F(OfficerValues, ValueColumnsWriteTheirFields) {
  ASSERT_EQ(
      run({"剧本 ID 姓名 设置 编号 新姓名 性别 父母ID 父母姓名 出生年份 寿命 家族 成长 相性 善恶 武力 智力 政治 魅力 "
           "义气 野心 勇猛 冷静 勇名 经验 年龄 忠诚度 叛乱 已行动 特征 归属 士兵 训练 士气 势力 君主 将军",
           "- - - 1 - 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
           "0 12 某 1 0 \"诸葛亮\" 1 70000 谁 181 5 200 0 150 3 255 88 77 66 15 14 7 6 10000 60000 99 100 1 1 1 3 "
           "20000 100 99 魏 曹操 无"}),
      "(no error)");
  const OfficerState& o = officer(0, 12);
  const OfficerProfile& p = profileOf(0, 12);
  EXPECT_EQ(nameText(p.text(profile::name)), "诸葛亮");
  EXPECT_EQ(p.get(profile::gender), 1u);
  EXPECT_EQ(p.get(profile::parentId), 4464) << "the low 16 bits of 70000";
  EXPECT_EQ(p.get(profile::birthYear), 81);
  EXPECT_EQ(o.get(state::lifespan), 5u);
  EXPECT_EQ(p.get(profile::family), 200);
  EXPECT_EQ(p.get(profile::affinity), 150);
  EXPECT_EQ(o.get(state::goodEvil), 3u);
  EXPECT_EQ(o.get(state::war), 255);
  EXPECT_EQ(o.get(state::intelligence), 88);
  EXPECT_EQ(o.get(state::politics), 77);
  EXPECT_EQ(o.get(state::charisma), 66);
  EXPECT_EQ(p.get(profile::righteousness), 15u);
  EXPECT_EQ(p.get(profile::ambition), 14u);
  EXPECT_EQ(p.get(profile::bravery), 7u);
  EXPECT_EQ(p.get(profile::calmness), 6u);
  EXPECT_EQ(o.get(state::fame), 10000);
  EXPECT_EQ(o.get(state::experience), 60000);
  EXPECT_EQ(o.get(state::loyalty), 100);
  EXPECT_EQ(o.get(state::rebel) + o.get(state::acted) + o.get(state::trait), 3u);
  EXPECT_EQ(o.get(state::allegiance), 3u);
  EXPECT_EQ(o.get(state::soldiers), 20000);
  EXPECT_EQ(o.get(state::training), 100);
  EXPECT_EQ(o.get(state::morale), 99);
  EXPECT_EQ(o.get(state::force), 1) << "势力 is shown only";
}

TEST_F(OfficerValues, NamesOfEightBytesAtMost) {
  const std::string header = "剧本 ID 姓名 设置 编号 新姓名";
  profileOf(0, 12).setText(profile::name, "ABCDEFGHIJKLMNOPQRS", 20);
  ASSERT_EQ(run({header, "- - - 1 - 1", "0 12 某 1 0 司马懿师"}), "(no error)");
  EXPECT_EQ(nameText(profileOf(0, 12).text(profile::name)), "司马懿师");
  EXPECT_EQ(profileOf(0, 12).bytes[8], 0);
  EXPECT_EQ(profileOf(0, 12).bytes[9], 'J') << "bytes after the first nine stay";
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 司马懿师x"}), cellErrorText(3, 6, "F3", kOfficerNameTooLong));
}

TEST_F(OfficerValues, FormationsKeepTheNoFormationBit) {
  const std::string header = "剧本 ID 姓名 设置 编号 阵形";
  ASSERT_EQ(run({header, "- - - 1 - 1", "0 12 某 1 0 ---", "0 13 某 1 0 锥形,水阵"}), "(no error)");
  EXPECT_EQ(profileOf(0, 12).get(profile::formations), 1);
  EXPECT_EQ(profileOf(0, 13).get(profile::formations), 0x1003);
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 14 某 1 0 锥形，水阵"}), cellErrorText(3, 6, "F3", kUnknownName));
}

TEST_F(OfficerValues, LearnableSkillsAreSixNamesInOrder) {
  const std::string header = "剧本 ID 姓名 设置 编号 可学技能";
  ASSERT_EQ(run({header, "- - - 1 - 1", "0 12 某 1 0 骑射,火计,落沙,水神,无双,仙术"}), "(no error)");
  const int want[6] = {31, 0, 29, 27, 22, 4};
  for (std::size_t slot = 0; slot < 6; ++slot)
    EXPECT_EQ(profileOf(0, 12).get(profile::learnableSkills, slot), want[slot]);
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 ---"}), cellErrorText(3, 6, "F3", kSkillsEmpty));
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 骑射,火计,落沙,水神,无双"}),
            cellErrorText(3, 6, "F3", kSixSkills));
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 骑射,火计,落沙,水神,无双,仙术,混乱"}),
            cellErrorText(3, 6, "F3", kSixSkills));
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 骑射,火计,落沙,水神,无双,法术"}),
            cellErrorText(3, 6, "F3", kUnknownName));
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 骑射,火计,落沙,水神,无双,骑射"}),
            cellErrorText(3, 6, "F3", kSkillRepeated));
}

TEST_F(OfficerValues, LearnedSkillsComeFromTheFirstLearnableSlotsAndTheTwoSkillColumns) {
  OfficerProfile& p = profileOf(0, 12);
  const int slots[6] = {3, 4, 5, 6, 7, 8};
  for (std::size_t slot = 0; slot < 6; ++slot)
    p.set(profile::learnableSkills, slot, static_cast<std::uint8_t>(slots[slot]));
  officer(0, 12).set(state::learnedCount, 2);
  officer(0, 12).set(state::learnedSkills, 0xFFFF0000u);
  officer(0, 13).set(state::learnedSkills, 0xFFFF0000u);
  // A row that does not apply 已学技能 keeps the skills beside the slots; the slots' own follow the count.
  ASSERT_EQ(
      run({"剧本 ID 姓名 设置 编号 武力 已学技能数 已学技能 附加技能", "- - - 1 - 1 1 0 0", "0 12 某 1 0 60 1 x x"}),
      "(no error)");
  EXPECT_EQ(officer(0, 12).get(state::learnedSkills), 0xFFFF0000u | 0x8u);

  ASSERT_EQ(
      run({"剧本 ID 姓名 设置 编号 已学技能数 已学技能 附加技能", "- - - 1 - 1 1 1", "0 13 某 1 0 1 骑射,火计 0x100"}),
      "(no error)");
  EXPECT_EQ(officer(0, 13).get(state::learnedSkills), 0x80000000u | 0x1u | 0x100u | 0x1u);
  EXPECT_EQ(run({"剧本 ID 姓名 设置 编号 已学技能数", "- - - 1 - 1", "0 14 某 1 0 7"}),
            cellErrorText(3, 6, "F3", kOutOfRange));
}

TEST_F(OfficerValues, SkillRecordsThatBreakTheRulesAreRefusedOrMended) {
  const std::string header = "剧本 ID 姓名 设置 编号 武力";
  officer(0, 12).set(state::learnedCount, 7);
  ASSERT_EQ(run({header, "- - - 1 - 1", "0 12 某 1 0 60"}), "(no error)");
  EXPECT_EQ(officer(0, 12).get(state::learnedCount), 6u) << "a loaded 7 is stored back as 6";
  EXPECT_EQ(officer(0, 12).get(state::learnedSkills), 0x3Fu);

  profileOf(0, 13).set(profile::learnableSkills, 5, 32);
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 60"}), cellErrorText(3, 6, "F3", kSkillCodeOutOfRange));
  profileOf(0, 14).set(profile::learnableSkills, 5, 0);
  EXPECT_EQ(run({header, "- - - 1 - 0", "0 14 某 1 0 60"}), cellErrorText(3, 2, "B3", kSkillRepeated))
      << "with no column applied the error names the id cell";
  profileOf(0, 21).set(profile::growth, 16);
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 21 某 1 0 60"}), cellErrorText(3, 6, "F3", kGrowthBelow16));
}

TEST_F(OfficerValues, ExperienceIsRaisedToTheTableMinimum) {
  EXPECT_EQ(experienceTable[7][3], 18000);
  EXPECT_EQ(experienceTable[15][6], 60000);
  ImportWarnings warnings;
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 成长 已学技能数 经验", "- - - 1 - 1 1 1", "0 12 某 1 0 7 3 100",
                 "0 13 某 1 0 7 3 20000", "0 14 某 1 0 2 6 0", "0 21 某 1 0 7 3 18000"},
                &warnings),
            "(no error)");
  EXPECT_EQ(officer(0, 12).get(state::experience), 18000);
  EXPECT_EQ(officer(0, 13).get(state::experience), 20000);
  EXPECT_EQ(officer(0, 14).get(state::experience), 50000);
  EXPECT_EQ(officer(0, 21).get(state::experience), 18000);
  // Only the two below their minimum are told as raised; one exactly at it is not.
  EXPECT_EQ(warnings.lines(), std::vector<std::string>{"注意：「经验」按成长和已学技能数提高到最低值的武将：2 名"});
}

TEST_F(OfficerValues, DutiesOfRulersAndOthers) {
  const std::string header = "剧本 ID 姓名 设置 编号 主管";
  ASSERT_EQ(run({header, "- - - 1 - 1", "0 10 君 1 0 外交", "0 12 某 1 0 计谋"}), "(no error)");
  EXPECT_EQ(officer(0, 10).get(state::duties), 0x3Bu) << "a ruler has every field of work but 内政";
  EXPECT_EQ(officer(0, 12).get(state::duties), 8u);
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 13 某 1 0 ---"}), cellErrorText(3, 6, "F3", kOneDutyOnly));
  EXPECT_EQ(run({header, "- - - 1 - 1", "0 14 某 1 0 打仗"}), cellErrorText(3, 6, "F3", kUnknownName));
  officer(0, 21).set(state::duties, 0x05);
  EXPECT_EQ(run({header, "- - - 1 - 0", "0 21 某 1 0 军事"}), cellErrorText(3, 2, "B3", kOneDutyOnly));
}

TEST_F(OfficerValues, FreeOfficersLeadNoTroops) {
  officer(0, 30).set(state::training, 50);
  officer(0, 12).set(state::training, 50);
  ASSERT_EQ(
      run({"剧本 ID 姓名 设置 编号 士兵", "- - - 1 - 1", "0 30 某 1 0 5000", "0 31 某 1 0 5000", "0 12 某 1 0 5000"}),
      "(no error)");
  EXPECT_EQ(officer(0, 30).get(state::soldiers), 0);
  EXPECT_EQ(officer(0, 30).get(state::training), 0);
  EXPECT_EQ(officer(0, 31).get(state::soldiers), 0);
  EXPECT_EQ(officer(0, 12).get(state::soldiers), 5000);
  EXPECT_EQ(officer(0, 12).get(state::training), 50);
}

// The troops rule at its edge: an ordinary officer keeps his troops, an officer in training (never in a
// set that validates, so not reachable through a table) already leads none.
TEST(OfficerFinishing, TroopsEndAtInTraining) {
  for (const unsigned status : {kOrdinary, kInTraining}) {
    OfficerState officer{};
    officer.set(state::status, status);
    officer.set(state::soldiers, 5000);
    finishOfficer(officer, OfficerProfile{}, 600, RowSkills{}, [](const RuleFinding&) {});
    EXPECT_EQ(officer.get(state::soldiers), status == kOrdinary ? 5000 : 0) << status;
  }
}

TEST_F(OfficerValues, StrategistMinimumsAndPromotion) {
  // At the edges: a strategist exactly at 90 and 80 is left alone; an ordinary officer exactly there is
  // promoted, one point below either is not.
  ImportWarnings edges;
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 智力 政治", "- - - 1 - 1 1", "0 11 军师 1 0 90 80", "0 12 某 1 0 90 80",
                 "0 13 某 1 0 90 79", "0 14 某 1 0 89 80"},
                &edges),
            "(no error)");
  EXPECT_EQ(officer(0, 11).get(state::status), kStrategist);
  EXPECT_EQ(officer(0, 12).get(state::status), kStrategist);
  EXPECT_EQ(officer(0, 13).get(state::status), kOrdinary);
  EXPECT_EQ(officer(0, 14).get(state::status), kOrdinary);
  EXPECT_EQ(edges.lines(), std::vector<std::string>{"注意：因「智力」「政治」够高而升为军师的武将：1 名"});

  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 智力 政治", "- - - 1 - 1 1", "0 11 军师 1 0 50 85", "0 12 某 1 0 95 85",
                 "0 13 某 1 0 95 79", "0 30 某 1 0 95 85"}),
            "(no error)");
  EXPECT_EQ(officer(0, 11).get(state::intelligence), 90);
  EXPECT_EQ(officer(0, 11).get(state::politics), 85);
  EXPECT_EQ(officer(0, 12).get(state::status), kStrategist);
  EXPECT_EQ(officer(0, 13).get(state::status), kOrdinary);
  EXPECT_EQ(officer(0, 30).get(state::status), kUnaffiliated) << "only ordinary officers are promoted";
  ASSERT_EQ(run({"剧本 ID 姓名 设置 编号 政治", "- - - 1 - 1", "1 11 军师 1 0 10"}), "(no error)");
  EXPECT_EQ(officer(1, 11).get(state::politics), 80);
  EXPECT_EQ(officer(1, 11).get(state::intelligence), 90);
}

}  // namespace
}  // namespace vorandel::testing
