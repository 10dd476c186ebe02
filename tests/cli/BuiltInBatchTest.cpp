// The batch options of the command line on the built-in data: each table changes exactly the bytes of
// the fields it names, and a table with an error anywhere writes nothing.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "model/Loader.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {

using testing::gbkName;
using testing::nameText;
namespace {

using testing::readFile;
using testing::writeFile;

class BuiltInBatch : public ::testing::Test {
 protected:
  BuiltInBatch() { loadScenarioSet(pristine, builtInData().sndata, builtInData().taiki); }

  // Runs generate with the batch options into a fresh folder and returns that folder's files.
  int generate(std::vector<std::string> batchArgs, testing::FileBytes& written) {
    const std::string out = folder.file("out" + std::to_string(runs++));
    std::filesystem::create_directory(out);
    std::vector<std::string> args{"generate", "--out", out};
    args.insert(args.end(), batchArgs.begin(), batchArgs.end());
    std::ostringstream sink;
    CliContext context{sink, sink, "UTF-8", builtInData()};
    const int code = runCli(args, context);
    messages = sink.str();
    written = {readFile(out + "/sndata.s5"), readFile(out + "/taiki.s5")};
    return code;
  }

  void expectWritten(std::vector<std::string> batchArgs, const ScenarioSet& expected) {
    testing::FileBytes written;
    ASSERT_EQ(generate(std::move(batchArgs), written), kExitDone) << messages;
    const testing::FileBytes want = testing::writeToBytes(expected);
    EXPECT_TRUE(written.sndata == want.sndata) << "sndata.s5 differs from the expected change";
    EXPECT_TRUE(written.taiki == want.taiki) << "taiki.s5 differs from the expected change";
    EXPECT_FALSE(written.sndata == builtInData().sndata && written.taiki == builtInData().taiki) << "nothing changed";
  }

  ScenarioSet pristine;
  testing::TempFolder folder;
  std::string messages;
  int runs = 0;
};

TEST_F(BuiltInBatch, ForceTableChangesItsFieldsOnly) {
  const std::string table = folder.file("lord.txt");
  writeFile(table, testing::gbkBytes("剧本\t编号\t设置\t声望\t金钱\t粮食\t科技\t君主\r\n"
                                     "-\t-\t-\t1\t1\t1\t1\t1\r\n"
                                     "3\t2\t1\t999\t123456\t2000000\t战车,楼船\t谁都行\r\n"
                                     "11\t2\t1\t1\t1\t1\t---\t-\r\n"));  // no scenario 11: skipped
  ScenarioSet expected = pristine;
  ForceRecord force = expected.scenarios[3].force(2);
  force.set(force::fame, 999);
  force.set(force::money, 123456);
  force.set(force::food, 2000000);
  force.set(force::weapons, 0b010001);
  expectWritten({"--lord", table}, expected);
}

TEST_F(BuiltInBatch, CityTableChangesItsFieldsOnly) {
  const std::string table = folder.file("city.txt");
  writeFile(table, testing::gbkBytes("剧本\tID\t名称\t设置\t城防\t农业上限\t农业\t商城\t新名称\r\n"
                                     "-\t-\t-\t0\t1\t1\t1\t1\t1\r\n"
                                     "2\t11\t洛阳\t1\t777\t300\t900\t1\t洛都\r\n"));
  ScenarioSet expected = pristine;
  Scenario& s = expected.scenarios[2];
  s.city(11).set(city::defence, 777);
  s.cityName(11).set(cityName::agricultureLimit, 300);
  s.city(11).set(city::agriculture, 300);  // held down to the new limit
  s.cityName(11).set(cityName::market, 1);
  s.cityName(11).setText(cityName::name, gbkName("洛都"), 5);
  if (s.city(11).get(city::commerce) > s.cityName(11).get(cityName::commerceLimit))
    s.city(11).set(city::commerce, s.cityName(11).get(cityName::commerceLimit));
  expectWritten({"--city", table}, expected);
}

TEST_F(BuiltInBatch, NameListRenamesInEveryScenario) {
  const std::string list = folder.file("name.txt");
  writeFile(list, testing::gbkBytes("W 10 张三丰\r\nC 34 东吴\r\n"));
  ScenarioSet expected = pristine;
  for (std::size_t s = 0; s < expected.scenarioCount(); ++s) {
    if (const std::optional<OfficerIndex> k = expected.officerIndexOf(s, 10))
      expected.scenarios[s].officerProfile(k->number()).setText(profile::name, gbkName("张三丰"), 9);
    expected.scenarios[s].cityName(34).setText(cityName::name, gbkName("东吴"), 5);
  }
  expectWritten({"--name", list}, expected);
}

TEST_F(BuiltInBatch, ATableWithAnErrorAnywhereWritesNothing) {
  const std::string good = folder.file("good.txt");
  writeFile(good, testing::gbkBytes("剧本\t编号\t设置\t金钱\n-\t-\t-\t1\n0\t1\t1\t5\n"));
  const std::string bad = folder.file("bad.txt");
  writeFile(bad, testing::gbkBytes("剧本\t编号\t设置\t金钱\n-\t-\t-\t1\n0\t1\t1\t5\n1\t1\t1\t5\n2\t1\t1\t3000001\n"));
  testing::FileBytes written;
  EXPECT_EQ(generate({"--lord", good, "--lord", bad}, written), kExitRefused);
  EXPECT_EQ(written.sndata, "");
  EXPECT_EQ(written.taiki, "");
  EXPECT_EQ(generate({"--name", good}, written), kExitRefused);
  EXPECT_EQ(written.sndata, "");
}

// The help file's what-if example: a city going over to another force, a son made ruler, a force founded
// by an unaffiliated officer in an empty city. Generate validates the result; the report lists the
// changes of owner, ruler, governor and officers' forces in the tables' column names.
TEST_F(BuiltInBatch, WhatIfExampleOfTheHelpFile) {
  const std::string city = folder.file("city.txt");
  const std::string officer = folder.file("officer.txt");
  const std::string lord = folder.file("lord.txt");
  const std::string founded = folder.file("new.txt");
  const std::string report = folder.file("report.txt");
  writeFile(city, testing::gbkBytes("剧本\tID\t名称\t设置\t势力\r\n-\t-\t-\t32\t1\r\n0\t19\t许昌\t1\t4\r\n"));
  writeFile(officer, testing::gbkBytes(
                         "剧本\tID\t姓名\t设置\t编号\t所在地\r\n-\t-\t-\t1\t-\t1\r\n0\t434\t潘忠\t4\t127\t庐陵\r\n"));
  writeFile(lord, testing::gbkBytes("剧本\t编号\t设置\t君主\r\n-\t-\t-\t1\r\n0\t15\t1\t434\r\n"));
  writeFile(founded, testing::gbkBytes("剧本\t编号\t设置\t君主\t声望\t金钱\t粮食\r\n-\t-\t-\t1\t1\t1\t1\r\n"
                                       "0\t1\t1\t101\t100\t5000\t20000\r\n"));
  testing::FileBytes written;
  ASSERT_EQ(
      generate({"--city", city, "--officer", officer, "--lord", lord, "--lord", founded, "--report", report}, written),
      kExitDone)
      << messages;
  const std::string listed = nameText(readFile(report));
  for (const char* line :
       {"0\t城市\t19\t许昌\t势力\t12\t4\n", "0\t武将\t24\t曹恭\t势力\t12\t4\n", "0\t武将\t434\t潘忠\t势力\t4\t15\n",
        "0\t势力\t15\t潘忠\t君主\t265\t434\n", "0\t武将\t265\t潘英\t身份\t君主\t一般\n",
        "0\t城市\t46\t庐陵\t太守\t潘英\t潘忠\n", "0\t势力\t1\t梁恒瑜\t君主\t0\t101\n", "0\t城市\t3\t代县\t势力\t0\t1\n",
        "0\t城市\t3\t代县\t太守\t-\t梁恒瑜\n"})
    EXPECT_NE(listed.find(line), std::string::npos) << line << listed;
}

// The help file's example of a new officer, beside a change of an officer who is there: officer 600 is
// made in scenario 1 and enters the map in 洛阳 as an ordinary officer, the 智力 and 政治 of the example
// keeping him from the strategist's post that the new officer's abilities of 90 would give him; the
// cells of switched-off columns in the other row are "-" and bring no warning.
TEST_F(BuiltInBatch, NewOfficerExampleOfTheHelpFile) {
  const std::string table = folder.file("officer.txt");
  writeFile(table, testing::gbkBytes("剧本\tID\t姓名\t设置\t编号\t武力\t智力\t政治\t身份\t所在地\t主管\r\n"
                                     "x\tx\tx\t0\tx\t1\t0\t0\t0\t0\t0\r\n"
                                     "0\t75\t袁坚顺\t1\t0\t85\t-\t-\t-\t-\t-\r\n"
                                     "1\t600\t新人\t3\t0\t70\t60\t50\t一般\t洛阳\t军事\r\n"));
  testing::FileBytes written;
  ASSERT_EQ(generate({"--officer", table}, written), kExitDone) << messages;
  EXPECT_EQ(messages.find("注意"), std::string::npos) << messages;
  ScenarioSet set;
  loadScenarioSet(set, written.sndata, written.taiki);
  const OfficerState& added = set.scenario(1).officerState(set.officerIndexOf(1, 600).value().number());
  EXPECT_EQ(added.get(state::status), kOrdinary);
  EXPECT_EQ(added.get(state::location), 11) << "洛阳";
  EXPECT_EQ(added.get(state::war), 70);
  EXPECT_EQ(added.get(state::intelligence), 60);
  EXPECT_EQ(added.get(state::politics), 50);
  EXPECT_EQ(set.scenario(0).officerState(set.officerIndexOf(0, 75).value().number()).get(state::war), 85);
}

}  // namespace
}  // namespace vorandel
