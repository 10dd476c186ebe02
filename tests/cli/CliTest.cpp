#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "batch/BatchTable.h"
#include "batch/Vocabulary.h"
#include "cli/TerminalText.h"
#include "model/BuiltInData.h"
#include "model/Loader.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class Cli : public ::testing::Test {
 protected:
  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    CliContext context{out, err, "UTF-8", builtIn};
    return runCli(args, context);
  }
  void writePair(const std::string& dir, const testing::FileBytes& files) {
    std::filesystem::create_directories(dir);
    writeFile(dir + "/sndata.s5", files.sndata);
    writeFile(dir + "/taiki.s5", files.taiki);
  }

  testing::FileBytes pristine = testing::writeToBytes(testing::smallValidSet());
  BuiltInData builtIn{pristine.sndata, pristine.taiki};
  TempFolder folder;
  std::ostringstream out, err;
};

TEST_F(Cli, GenerateWritesTheBuiltInPairAndBacksUpOnTheSecondRun) {
  const std::string dir = folder.path().string();
  ASSERT_EQ(run({"generate", "--out", dir}), kExitDone);
  EXPECT_EQ(err.str(), utf8(u8"已生成新的剧本。\n"));
  EXPECT_EQ(readFile(dir + "/sndata.s5"), pristine.sndata);
  EXPECT_EQ(readFile(dir + "/taiki.s5"), pristine.taiki);
  writeFile(dir + "/taiki.s5", "changed by hand");
  ASSERT_EQ(run({"generate", "--out", dir}), kExitDone);
  EXPECT_EQ(readFile(dir + "/sndata.s5.bak"), pristine.sndata);
  EXPECT_EQ(readFile(dir + "/taiki.s5.bak"), "changed by hand");
  EXPECT_EQ(readFile(dir + "/taiki.s5"), pristine.taiki);
}

TEST_F(Cli, GenerateFromAFolderReproducesItsFiles) {
  ScenarioSet other = testing::smallValidSet();
  other.scenarios[1].block.set(block::startYear, 234);
  const testing::FileBytes files = testing::writeToBytes(other);
  writePair(folder.file("in"), files);
  ASSERT_EQ(run({"generate", "--from", folder.file("in"), "--out", folder.path().string()}), kExitDone);
  EXPECT_EQ(readFile(folder.file("sndata.s5")), files.sndata);
  EXPECT_EQ(readFile(folder.file("taiki.s5")), files.taiki);
}

TEST_F(Cli, DamagedInputIsRefusedWithItsMessageAndNothingWritten) {
  testing::FileBytes cut = pristine;
  cut.sndata.resize(cut.sndata.size() / 2);
  writePair(folder.file("cut"), cut);
  EXPECT_EQ(run({"generate", "--from", folder.file("cut"), "--out", folder.path().string()}), kExitFileFailed);
  EXPECT_NE(err.str().find(folder.file("cut/sndata.s5")), std::string::npos) << err.str();

  testing::FileBytes tooMany = pristine;
  tooMany.sndata[0] = 33;
  writePair(folder.file("many"), tooMany);
  EXPECT_EQ(run({"check", "--from", folder.file("many")}), kExitRefused);
  EXPECT_EQ(err.str(), utf8(u8"剧本数超出允许范围\n"));

  ScenarioSet broken = testing::smallValidSet();
  broken.scenarios[1].officerState(3).set(state::nextOfficer, 2);  // a serving list that loops
  writePair(folder.file("broken"), testing::writeToBytes(broken));
  EXPECT_EQ(run({"generate", "--from", folder.file("broken"), "--out", folder.path().string()}), kExitRefused);
  EXPECT_EQ(err.str(), utf8(u8"剧本 1存在错误\n武将编号错误\n"));

  EXPECT_EQ(run({"info", "--from", folder.file("nowhere")}), kExitFileFailed);
  EXPECT_NE(err.str().find("nowhere"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder.file("sndata.s5")));
}

TEST_F(Cli, InfoListsTheScenarios) {
  ASSERT_EQ(run({"info"}), kExitDone);
  EXPECT_EQ(out.str(), utf8(u8"剧本\t开始年份\t开始月份\t已上场武将\t待上场武将\n") + "0\t190\t1\t10\t3\n1\t200\t12\t10\t3\n");
}

TEST_F(Cli, CheckSaysAllIsWell) {
  ASSERT_EQ(run({"check"}), kExitDone);
  EXPECT_EQ(err.str(), utf8(u8"检查完毕，全部剧本的数据正确。\n"));
}

TEST_F(Cli, WrongUsage) {
  EXPECT_EQ(run({}), kExitUsage);
  EXPECT_EQ(run({"make"}), kExitUsage);
  EXPECT_EQ(run({"generate", "--out"}), kExitUsage);
  EXPECT_EQ(run({"info", "--lord", "x.txt"}), kExitUsage);
  EXPECT_EQ(run({"check", "--out", "x"}), kExitUsage);
  EXPECT_NE(err.str().find("--out"), std::string::npos);
  EXPECT_EQ(run({"--help"}), kExitDone);
  EXPECT_NE(out.str().find(utf8(u8"用法")), std::string::npos);
  EXPECT_EQ(run({"--version"}), kExitDone);
  EXPECT_EQ(out.str(), "vorandel 1.1.0\n");
}

TEST_F(Cli, BatchesApplyInOrderAndAFailedOneWritesNothing) {
  const std::string lord = folder.file("lord.txt");
  writeFile(lord, "剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t12345\n");
  ASSERT_EQ(run({"generate", "--lord", lord, "--out", folder.path().string()}), kExitDone) << err.str();
  ScenarioSet written;
  loadScenarioSet(written, readFile(folder.file("sndata.s5")), readFile(folder.file("taiki.s5")));
  EXPECT_EQ(written.scenarios[1].force(2).get(force::money), 12345);

  writeFile(lord, "剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t-5\n");
  const std::string other = folder.file("other");
  std::filesystem::create_directory(other);
  EXPECT_EQ(run({"generate", "--lord", lord, "--out", other}), kExitRefused);
  EXPECT_NE(err.str().find(utf8(u8"数值不在允许范围内")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(other + "/sndata.s5"));

  EXPECT_EQ(run({"check", "--city", folder.file("missing.txt")}), kExitFileFailed);
  EXPECT_NE(err.str().find(utf8(u8"文件不存在！")), std::string::npos);
}

TEST_F(Cli, OfficerTableIsValidatedBeforeItIsKept) {
  const std::string table = folder.file("officer.txt");
  // A new officer who stays waiting without a 所在地 column keeps location 0, which the check refuses.
  writeFile(table, "剧本 ID 姓名 设置 编号 主管\n- - - 1 - 0\n0 600 新人 3 0 军事\n");
  const std::string dir = folder.file("out");
  std::filesystem::create_directory(dir);
  EXPECT_EQ(run({"generate", "--officer", table, "--out", dir}), kExitRefused);
  EXPECT_NE(err.str().find(utf8(u8"剧本 0存在错误")), std::string::npos) << err.str();
  EXPECT_FALSE(std::filesystem::exists(dir + "/sndata.s5"));

  // Without 主管 the new officer keeps the two duties of the template.
  writeFile(table, "剧本 ID 姓名 设置 编号 武力\n- - - 1 - 0\n0 600 新人 3 0 50\n");
  EXPECT_EQ(run({"check", "--officer", table}), kExitRefused);
  EXPECT_NE(err.str().find(utf8(u8"非君主只能主管一项工作")), std::string::npos) << err.str();

  writeFile(table, "剧本 ID 姓名 设置 编号 所在地 主管\n- - - 1 - 0 0\n0 600 新人 3 0 洛阳 军事\n");
  ASSERT_EQ(run({"generate", "--officer", table, "--out", dir}), kExitDone) << err.str();
  ScenarioSet written;
  loadScenarioSet(written, readFile(dir + "/sndata.s5"), readFile(dir + "/taiki.s5"));
  const int k = written.officerIndexOf(0, 600);
  ASSERT_GE(k, 0);
  EXPECT_EQ(written.scenarios[0].states[static_cast<std::size_t>(k)].get(state::location), 11);
  EXPECT_EQ(written.scenarios[0].waitingCount, testing::smallValidSet().scenarios[0].waitingCount + 1);

  EXPECT_EQ(run({"--help"}), kExitDone);
  EXPECT_NE(out.str().find("--officer"), std::string::npos);
}

// A table that writes back every value of every officer of the built-in data, with all 49 value columns
// switched on and every name written as the table's vocabulary spells it.
class OfficerTableOnBuiltInData : public ::testing::Test {
 protected:
  OfficerTableOnBuiltInData() { loadScenarioSet(pristine, builtInData().sndata, builtInData().taiki); }

  static std::string header() {
    return "剧本\tID\t姓名\t设置\t编号\t新ID\t新姓名\t性别\t父母ID\t父母姓名\t出生年份\t上场年份\t身份\t寿命\t家族"
           "\t成长\t相性\t善恶\t武力\t智力\t政治\t魅力\t义气\t野心\t勇猛\t冷静\t阵形\t可学技能\t已学技能数\t已学技能"
           "\t附加技能\t勇名\t经验\t年龄\t忠诚度\t叛乱\t已行动\t特征\t归属\t士兵\t训练\t士气\t所在地\t势力\t君主"
           "\t太守\t主管\t将军\t宝物\t城市编号\t上一个\t上一武将\t下一个\t下一武将";
  }

  static std::string switches() {
    std::string row = "-\t-\t-\t0\t-";
    for (int column = 0; column < 49; ++column) row += "\t1";
    return row;
  }

  // The names of the codes that the bits of a set stand for, joined with commas; "---" for none.
  static std::string nameList(const std::vector<const char*>& names, std::uint32_t bits, int firstBit = 0) {
    std::vector<std::string> parts;
    for (int bit = firstBit; bit < 32; ++bit)
      if ((bits >> bit) & 1u) parts.push_back(names.at(static_cast<std::size_t>(bit - firstBit)));
    return parts.empty() ? "---" : joinCells(parts, ",");
  }

  std::vector<std::string> rowCells(std::size_t s, int number) const {
    const Scenario& scenario = pristine.scenarios[s];
    const OfficerState& o = scenario.officerState(number);
    const OfficerProfile& p = scenario.officerProfile(number);
    const unsigned status = o.get(state::status);
    const auto n = [](unsigned value) { return std::to_string(value); };
    std::vector<std::string> cells{std::to_string(s), n(p.get(profile::id)), "-", "1", std::to_string(number)};
    const auto waitingSlot = static_cast<std::size_t>(number - 1) - scenario.onMapCount;
    const bool waiting = status == kWaiting;
    const int location = o.get(state::location);
    const int governor = isCityNumber(location) ? scenario.city(location).get(city::governor) : 0;
    std::vector<std::string> learnable;
    for (std::size_t slot = 0; slot < 6; ++slot) learnable.push_back(skills.at(p.get(profile::learnableSkills, slot)));
    const unsigned duties = o.get(state::duties);
    std::string duty = "---";
    for (int bit = 0; bit < 6; ++bit)
      if (status != kRuler && duties == 1u << bit) duty = dutyNames.at(static_cast<std::size_t>(bit));
    const std::vector<std::string> values{
        n(p.get(profile::id)), std::string(p.text(profile::name)), n(p.get(profile::gender)),
        n(p.get(profile::parentId)), "-", n(p.get(profile::birthYear) + 100u),
        waiting ? std::to_string(pristine.waitingQueue[s].at(waitingSlot).appearYear + 100) : "200",
        status < statusNames.size() ? statusNames[status] : "-", n(o.get(state::lifespan)), n(p.get(profile::family)),
        n(p.get(profile::growth)), n(p.get(profile::affinity)), n(o.get(state::goodEvil)), n(o.get(state::war)),
        n(o.get(state::intelligence)), n(o.get(state::politics)), n(o.get(state::charisma)),
        n(p.get(profile::righteousness)), n(p.get(profile::ambition)), n(p.get(profile::bravery)),
        n(p.get(profile::calmness)), nameList(formations, p.get(profile::formations) & 0x1FFEu, 1),
        joinCells(learnable, ","), n(o.get(state::learnedCount)), nameList(skills, o.get(state::learnedSkills)), "0",
        n(o.get(state::fame)), n(o.get(state::experience)), "-", n(o.get(state::loyalty)), n(o.get(state::rebel)),
        n(o.get(state::acted)), n(o.get(state::trait)), n(o.get(state::allegiance)), n(o.get(state::soldiers)),
        n(o.get(state::training)), n(o.get(state::morale)),
        isCityNumber(location) ? cities.at(static_cast<std::size_t>(location - 1)) : "-", "-", "-",
        (status == kStrategist || status == kOrdinary) && governor == number ? "1" : "0", duty, "-",
        nameList(items, o.get(state::items)), "-", "-", "-", "-", "-"};
    cells.insert(cells.end(), values.begin(), values.end());
    return cells;
  }

  std::string rowOf(std::size_t s, int number) const { return joinCells(rowCells(s, number), "\t"); }

  // Every officer's row; without the last officer of the last scenario when leaveLast is set.
  std::string wholeTable(bool leaveLast = false) const {
    std::string table = header() + "\r\n" + switches() + "\r\n";
    for (std::size_t s = 0; s < pristine.scenarioCount(); ++s) {
      const auto count = static_cast<int>(pristine.scenarios[s].officerCount);
      for (int number = 1; number <= count; ++number)
        if (!leaveLast || s + 1 < pristine.scenarioCount() || number < count) table += rowOf(s, number) + "\r\n";
    }
    return table;
  }

  int generate(const std::string& table, const std::string& out) {
    writeFile(folder.file("officer.txt"), table);
    std::filesystem::create_directory(out);
    std::ostringstream sink;
    CliContext context{sink, sink, "UTF-8", builtInData()};
    const int code = runCli({"generate", "--officer", folder.file("officer.txt"), "--out", out}, context);
    messages = sink.str();
    return code;
  }

  const std::vector<const char*> skills{"火计", "混乱", "内讧", "收拾", "仙术", "鼓舞", "治疗", "祈雨", "天变", "灭火", "落石",
                                        "占卜", "伏兵", "幻术", "妖术", "激励", "水计", "火箭", "奋发", "乱射", "速攻", "藤甲",
                                        "无双", "远箭", "强行", "沉着", "布阵", "水神", "反计", "落沙", "回射", "骑射"};
  const std::vector<const char*> cities{
      "襄平", "北平", "代县", "晋阳", "南皮", "平原", "邺",   "北海", "濮阳", "陈留", "洛阳", "弘农", "长安", "安定", "天水", "西凉",
      "下邳", "徐州", "许昌", "谯",   "汝南", "宛",   "新野", "襄阳", "上庸", "江夏", "江陵", "武陵", "长沙", "桂阳", "零陵", "寿春",
      "建业", "吴",   "会稽", "庐江", "豫章", "汉中", "下弁", "梓潼", "成都", "永安", "江州", "建宁", "云南", "庐陵", "鄱阳"};
  const std::vector<const char*> items{
      "孙子兵法", "兵法二十四编", "春秋左氏传", "六韬",   "遁甲天书三卷", "太平要术", "西蜀地形图", "平蛮指掌图",
      "孟德新书", "史记",         "太平清领道", "青囊书", "倚天剑",       "青釭剑",   "方天画戟",   "青龙偃月刀",
      "蛇矛",     "铁脊蛇矛",     "古锭刀",     "雌雄双剑", "七星剑",     "双铁戟",   "三尖刀",     "大斧",
      "铁鞭",     "铁蒺藜骨朵",   "流星锤",     "赤兔马", "的卢",         "爪黄飞电", "绝影",       "玉玺"};
  const std::vector<const char*> formations{"锥形", "钩形", "箕形", "鹤翼", "鱼鳞", "偃月",
                                            "锋矢", "横轭", "长蛇", "方圆", "雁行", "水阵"};
  const std::vector<const char*> dutyNames{"军事", "人事", "内政", "计谋", "外交", "特殊"};
  const std::vector<const char*> statusNames{"君主", "军师", "一般", "-", "在野", "隐士", "待命"};

  ScenarioSet pristine;
  TempFolder folder;
  std::string messages;
};

TEST_F(OfficerTableOnBuiltInData, TheTableSpellsNamesAsTheVocabularyDoes) {
  for (std::size_t i = 0; i < skills.size(); ++i) EXPECT_EQ(skillTable().find(skills[i]), static_cast<int>(i));
  for (std::size_t i = 0; i < cities.size(); ++i) EXPECT_EQ(cityTable().find(cities[i]), static_cast<int>(i + 1));
  for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(itemTable().find(items[i]), static_cast<int>(i));
  for (std::size_t i = 0; i < formations.size(); ++i)
    EXPECT_EQ(formationTable().find(formations[i]), static_cast<int>(i + 1));
  for (std::size_t i = 0; i < dutyNames.size(); ++i) EXPECT_EQ(dutyTable().find(dutyNames[i]), 1 << i);
  for (std::size_t i = 0; i < statusNames.size(); ++i) {
    if (i != kInTraining) {
      EXPECT_EQ(statusTable().find(statusNames[i]), static_cast<int>(i));
    }
  }
}

TEST_F(OfficerTableOnBuiltInData, WritingEveryOfficersOwnValuesBackChangesNoByte) {
  const std::string out = folder.file("out");
  ASSERT_EQ(generate(wholeTable(), out), kExitDone) << messages;
  EXPECT_TRUE(readFile(out + "/sndata.s5") == builtInData().sndata) << "sndata.s5 changed";
  EXPECT_TRUE(readFile(out + "/taiki.s5") == builtInData().taiki) << "taiki.s5 changed";
}

TEST_F(OfficerTableOnBuiltInData, AnErrorOnTheLastRowWritesNothing) {
  const std::size_t last = pristine.scenarioCount() - 1;
  std::vector<std::string> cells = rowCells(last, static_cast<int>(pristine.scenarios[last].officerCount));
  cells.at(5 + 13) = "256";  // 武力
  const std::string out = folder.file("out");
  EXPECT_EQ(generate(wholeTable(true) + joinCells(cells, "\t") + "\r\n", out), kExitRefused);
  EXPECT_NE(messages.find(utf8(u8"数值不在允许范围内")), std::string::npos) << messages;
  EXPECT_FALSE(std::filesystem::exists(out + "/sndata.s5"));
  EXPECT_FALSE(std::filesystem::exists(out + "/taiki.s5"));
}

TEST(TerminalText, ConvertsGbkAndMarksWhatItCannot) {
  EXPECT_EQ(gbkTo("剧本", "UTF-8"), utf8(u8"剧本"));
  EXPECT_EQ(gbkTo("剧本", "GBK"), "剧本");
  EXPECT_EQ(gbkTo("a\xFF" "b", "UTF-8"), "a?b");
}

}  // namespace
}  // namespace vorandel
