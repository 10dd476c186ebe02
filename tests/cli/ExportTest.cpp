// vorandel export: the tables of the current data, applied by generate, change no byte; edited cells
// change exactly what they name; --utf8 on both sides; values a table cannot carry are reported; the
// file named with -o is replaced only with --force, through links, devices, pipes and standard output.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <future>
#include <sstream>

#include "cli/Cli.h"
#include "cli/TerminalText.h"
#include "model/FileRead.h"
#include "model/Loader.h"
#include "model/Messages.h"
#include "rules/Placement.h"
#include "rules/WaitingOfficers.h"
#include "tables/BatchTable.h"
#include "tables/OfficerTableWaitingOrder.h"
#include "tables/Vocabulary.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/TempFolder.h"
#include "tests/tables/TableExportSets.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::writeFile;

using testing::utf8;

class Export : public ::testing::Test, protected testing::CliRun {
 protected:
  int run(std::vector<std::string> args) {
    const int code = runWith(builtInData(), std::move(args));
    messages = err.str();
    output = out.str();
    return code;
  }

  // The bytes of a table as exported into a fresh file.
  std::string tableBytes(const std::string& kind) {
    const std::string file = folder.file("fresh-" + kind + std::to_string(runs++) + ".txt");
    EXPECT_EQ(run({"export", kind, "-o", file}), kExitDone) << messages;
    return readFile(file);
  }

  // Generates from the pair (the built-in one when from is empty) with the batch options into a fresh
  // folder and returns the files written.
  testing::FileBytes generate(const std::string& from, std::vector<std::string> batch) {
    const std::string dir = folder.file("out" + std::to_string(runs++));
    std::filesystem::create_directory(dir);
    std::vector<std::string> args{"generate", "--out", dir};
    if (!from.empty()) args.insert(args.end(), {"--from", from});
    args.insert(args.end(), batch.begin(), batch.end());
    EXPECT_EQ(run(args), kExitDone) << messages;
    return {readFile(dir + "/sndata.s5"), readFile(dir + "/taiki.s5")};
  }

  std::string writePair(const std::string& name, const testing::FileBytes& files) {
    const std::string dir = folder.file(name);
    testing::writePair(dir, files);
    return dir;
  }

  testing::TempFolder folder;
  std::string messages;
  std::string output;
  int runs = 0;
};

const std::pair<const char*, const char*> kKinds[] = {
    {"officer", "--officer"}, {"lord", "--lord"}, {"city", "--city"}, {"name", "--name"}};

TEST_F(Export, EveryTableOfTheBuiltInAndAnotherPairChangesNoByte) {
  const testing::FileBytes builtIn{std::string(builtInData().sndata), std::string(builtInData().taiki)};
  const testing::FileBytes other = testing::writeToBytes(testing::tableReadySet());
  for (const auto& [from, pair] : {std::pair{std::string(), builtIn}, std::pair{writePair("busy", other), other}}) {
    for (const auto& [kind, option] : kKinds) {
      const std::string table = folder.file(std::string(kind) + (from.empty() ? "" : "-busy") + ".txt");
      std::vector<std::string> args{"export", kind, "-o", table};
      if (!from.empty()) args.insert(args.end(), {"--from", from});
      ASSERT_EQ(run(args), kExitDone) << messages;
      EXPECT_EQ(messages, utf8(u8"已导出到 ") + table + utf8(u8"。\n")) << "nothing is left out";
      const testing::FileBytes written = generate(from, {option, table});
      EXPECT_TRUE(written.sndata == pair.sndata) << kind << ": sndata.s5 changed";
      EXPECT_TRUE(written.taiki == pair.taiki) << kind << ": taiki.s5 changed";
    }
  }
}

TEST_F(Export, DefaultNameInTheCurrentFolderAndTheOldFileKeptAsBak) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  writeFile("ruv5_lord.txt", "mine");
  const int code = run({"export", "lord", "--scenario", "1", "2", "--force"});
  std::filesystem::current_path(before);
  ASSERT_EQ(code, kExitDone) << messages;
  EXPECT_EQ(readFile(folder.file("ruv5_lord.txt.bak")), "mine");
  const std::string table = readFile(folder.file("ruv5_lord.txt"));
  EXPECT_EQ(table.find("\r\n0\t"), std::string::npos);
  EXPECT_NE(table.find("\r\n1\t"), std::string::npos);
  EXPECT_NE(table.find("\r\n2\t"), std::string::npos);
  EXPECT_EQ(table.find("\r\n3\t"), std::string::npos);

  EXPECT_EQ(run({"export", "lord", "--scenario", "99", "-o", folder.file("x.txt")}), kExitUsage);
  EXPECT_EQ(run({"export", "name", "--scenario", "0"}), kExitUsage);
  EXPECT_EQ(run({"export", "people"}), kExitUsage);
  EXPECT_FALSE(std::filesystem::exists(folder.file("x.txt")));
}

TEST_F(Export, EditedCellsOfAnOfficerTableChangeExactlyThere) {
  ScenarioSet expected;
  loadScenarioSet(expected, builtInData().sndata, builtInData().taiki);
  const ScenarioSet original = expected;
  const Scenario& pristine = original.scenarios[0];
  const std::string table = folder.file("officer.txt");
  ASSERT_EQ(run({"export", "officer", "--scenario", "0", "-o", table}), kExitDone) << messages;
  std::vector<std::vector<std::string>> rows;
  // The file is GBK; the cells are edited as the program reads them, in UTF-8.
  const std::string tableText = testing::gbkFileText(readWholeFile(table, kMaxTableFileSize));
  for (const std::string_view line : tableLines(tableText)) {
    const auto cells = splitCells(line);
    rows.emplace_back(cells.begin(), cells.end());
  }
  const auto rowOf = [&](int number) -> std::vector<std::string>& {
    return rows.at(static_cast<std::size_t>(number) + 1);
  };
  constexpr std::size_t kValues = 5;

  // An ordinary officer, not a governor, moves to another governed city of his force.
  int mover = 0, target = 0;
  for (int n = 1; n <= static_cast<int>(pristine.onMapCount) && target == 0; ++n) {
    const OfficerState& o = pristine.officerState(n);
    if (o.get(state::status) != kOrdinary || pristine.city(o.get(state::location)).get(city::governor) == n) continue;
    for (int c = 1; c <= kCityCount && target == 0; ++c)
      if (c != o.get(state::location) && pristine.city(c).get(city::owner) == o.get(state::force) &&
          pristine.city(c).get(city::governor) > 0)
        mover = n, target = c;
  }
  ASSERT_GT(target, 0);
  rowOf(mover).at(kValues + 37) = std::string(nameOf(cityTable(), target));  // 所在地
  moveOfficer(expected, 0, OfficerNumber{mover}, CityNumber{target}, true);

  // An item that nobody holds goes to the first ruler.
  int item = 0;
  while (item < kItemCount && pristine.trailer.get(trailer::itemHolder, static_cast<std::size_t>(item)) != -1) ++item;
  ASSERT_LT(item, kItemCount);
  int f = 1;
  while (pristine.force(f).get(force::ruler) <= 0) ++f;
  const int ruler = pristine.force(f).get(force::ruler);
  std::string& items = rowOf(ruler).at(kValues + 43);  // 宝物
  items = (items == "---" ? "" : items + ",") + std::string(nameOf(itemTable(), item));
  setItemHolder(expected, 0, item, OfficerNumber{ruler});

  // A new officer, appended in row mode 3 with the values of the moved officer, joins the ruler's city.
  int id = 0;
  while (expected.officerIndexOf(0, id)) ++id;
  std::vector<std::string> added = rowOf(mover);
  const int home = pristine.officerState(ruler).get(state::location);
  added.at(1) = added.at(kValues + 0) = std::to_string(id);  // ID, 新ID
  added.at(2) = added.at(kValues + 1) = utf8(u8"新人");      // 姓名, 新姓名
  added.at(3) = "3";
  added.at(kValues + 7) = utf8(u8"一般");                           // 身份
  added.at(kValues + 37) = std::string(nameOf(cityTable(), home));  // 所在地
  added.at(kValues + 40) = "0";                                     // 太守
  added.at(kValues + 43) = "---";                                   // 宝物
  rows.push_back(added);
  addWaitingOfficer(expected, 0, id);
  const OfficerIndex newIndex = expected.officerIndexOf(0, id).value();
  expected.scenarios[0].officerState(newIndex.number()).set(state::location, static_cast<std::int8_t>(home));
  const int newNumber = activateWaitingOfficer(expected, 0, id, kOrdinary).value().number();
  OfficerState& newState = expected.scenarios[0].officerState(newNumber);
  OfficerProfile& newProfile = expected.scenarios[0].officerProfile(newNumber);
  const OfficerState& from = pristine.officerState(mover);
  const OfficerProfile& fromProfile = pristine.officerProfile(mover);
  const auto copyState = [&](auto... fields) { (newState.set(fields, from.get(fields)), ...); };
  const auto copyProfile = [&](auto... fields) { (newProfile.set(fields, fromProfile.get(fields)), ...); };
  copyState(state::lifespan, state::goodEvil, state::war, state::intelligence, state::politics, state::charisma,
            state::learnedCount, state::learnedSkills, state::fame, state::experience, state::loyalty, state::rebel,
            state::acted, state::trait, state::allegiance, state::soldiers, state::training, state::morale,
            state::duties);
  copyProfile(profile::gender, profile::parentId, profile::birthYear, profile::family, profile::growth,
              profile::affinity, profile::righteousness, profile::ambition, profile::bravery, profile::calmness,
              profile::formations);
  for (std::size_t slot = 0; slot < 6; ++slot)
    newProfile.set(profile::learnableSkills, slot, fromProfile.get(profile::learnableSkills, slot));
  newProfile.setText(profile::name, utf8ToGbk(utf8(u8"新人")).value(), 9);
  orderWaitingOfficers(expected);

  std::string edited;
  for (const std::vector<std::string>& cells : rows) edited += joinCells(cells, "\t") + "\r\n";
  writeFile(table, testing::gbkBytes(edited));
  const testing::FileBytes written = generate("", {"--officer", table});
  const testing::FileBytes want = testing::writeToBytes(expected);
  EXPECT_TRUE(written.sndata == want.sndata) << "sndata.s5 differs from the expected change";
  EXPECT_TRUE(written.taiki == want.taiki) << "taiki.s5 differs from the expected change";
  EXPECT_FALSE(written.sndata == builtInData().sndata) << "nothing changed";
}

TEST_F(Export, Utf8TablesBothWays) {
  for (const auto& [kind, option] : {kKinds[3], kKinds[0]}) {
    const std::string table = folder.file(std::string(kind) + ".txt");
    ASSERT_EQ(run({"export", kind, "--utf8", "-o", table}), kExitDone) << messages;
    const std::string text = readFile(table);
    ASSERT_TRUE(text.starts_with("\xEF\xBB\xBF")) << kind << ": a spreadsheet needs the byte-order mark";
    EXPECT_TRUE(isUtf8(text.substr(3)) && utf8ToGbk(text.substr(3)).has_value()) << kind << " is not UTF-8";
    const testing::FileBytes written = generate("", {"--utf8", option, table});
    EXPECT_TRUE(written.sndata == builtInData().sndata && written.taiki == builtInData().taiki) << kind;
  }
  const std::string gbk = folder.file("gbk.txt");
  writeFile(gbk, testing::gbkBytes("W 1 张三\r\n"));
  EXPECT_EQ(run({"check", "--utf8", "--name", gbk}), kExitRefused);
  EXPECT_NE(messages.find(utf8(u8"不是UTF-8文本")), std::string::npos) << messages;
  // A UTF-16 table is read as such with or without --utf8; a name GBK lacks is refused with its line.
  const std::string wide = folder.file("wide.txt");
  writeFile(wide, std::string("\xFF\xFEW\0 \0"
                              "1\0 \0\x20\x5F\x09\x4E\r\0\n\0",
                              16));  // W 1 张三
  EXPECT_EQ(run({"check", "--name", wide}), kExitDone) << messages;
  writeFile(wide, std::string("\xFF\xFEW\0 \0"
                              "1\0 \0\x20\x5F\x3D\xD8\x00\xDE\r\0\n\0",
                              18));  // W 1 张😀
  EXPECT_EQ(run({"check", "--name", wide}), kExitRefused);
  EXPECT_TRUE(messages.starts_with(utf8(u8"名字中有GBK无法表示的字符，游戏无法显示\n"))) << messages;
  EXPECT_NE(messages.find(utf8(u8"第1项在文件第1行")), std::string::npos) << messages;
}

TEST_F(Export, ValuesATableCannotCarryAreToldAndLeftAsTheyAre) {
  ScenarioSet set = testing::tableReadySet();
  set.scenarios[1].officerState(set.officerIndexOf(1, 201).value().number()).set(state::experience, 60001);
  const testing::FileBytes pair = testing::writeToBytes(set);
  const std::string dir = writePair("odd", pair);
  const std::string table = folder.file("officer.txt");
  ASSERT_EQ(run({"export", "officer", "--from", dir, "-o", table}), kExitDone) << messages;
  EXPECT_EQ(messages, utf8(u8"剧本1 武将ID 201（W201）：经验 的值无法写入表中，该行的设置为0，不会修改。\n已导出到 ") +
                          table + utf8(u8"。1 项无法写入表中（见上）。\n"));
  const testing::FileBytes written = generate(dir, {"--officer", table});
  EXPECT_TRUE(written.sndata == pair.sndata && written.taiki == pair.taiki);
}

TEST_F(Export, AnExistingTableIsReplacedOnlyWithForceAndThenKeptAsBak) {
  const std::string table = folder.file("lord.txt");
  const std::string expected = tableBytes("lord");
  writeFile(table, "my edits");
  EXPECT_EQ(run({"export", "lord", "-o", table}), kExitRefused);
  EXPECT_EQ(messages, utf8(u8"文件 ") + table +
                          utf8(u8" 已存在，没有导出。\n要覆盖它，请加 --force（原有的文件保存为 ") + table +
                          utf8(u8".bak）。\n"));
  EXPECT_EQ(readFile(table), "my edits");
  EXPECT_FALSE(std::filesystem::exists(table + ".bak"));

  ASSERT_EQ(run({"export", "lord", "--force", "-o", table}), kExitDone) << messages;
  EXPECT_EQ(messages, utf8(u8"已导出到 ") + table + utf8(u8"。\n原有的文件保存为 ") + table + utf8(u8".bak。\n"));
  EXPECT_EQ(readFile(table), expected);
  EXPECT_EQ(readFile(table + ".bak"), "my edits");

  // A backup that cannot be made stops the export with the table as it was, under its own name.
  writeFile(table, "my edits");
  std::filesystem::remove(table + ".bak");
  std::filesystem::create_directories(table + ".bak/taken");
  EXPECT_EQ(run({"export", "lord", "--force", "-o", table}), kExitFileFailed);
  EXPECT_EQ(readFile(table), "my edits");
  EXPECT_NE(messages.find(table + ".bak"), std::string::npos) << messages;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3)
      << "no file of the attempt is left behind";
}

TEST_F(Export, ALinkIsFollowedAndItsTargetBackedUpWhileTheLinkStays) {
#ifdef _WIN32
  GTEST_SKIP() << "needs symbolic links, which the Windows runtime of this compiler does not make";
#endif
  const std::string target = folder.file("real.txt");
  writeFile(target, "my edits");
  std::filesystem::create_directory(folder.file("links"));
  const std::string link = folder.file("links/table.txt");
  std::filesystem::create_symlink("../real.txt", link);
  EXPECT_EQ(run({"export", "city", "-o", link}), kExitRefused) << "the target exists";
  ASSERT_EQ(run({"export", "city", "-o", link, "--force"}), kExitDone) << messages;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link), "../real.txt");
  EXPECT_EQ(readFile(target), tableBytes("city"));
  EXPECT_EQ(readFile(target + ".bak"), "my edits");
  EXPECT_FALSE(std::filesystem::exists(link + ".bak"));
}

TEST_F(Export, DevicesAreWrittenThroughAndFoldersRefused) {
#ifndef _WIN32  // Windows has no /dev/null; its NUL is not a file std::filesystem can tell
  ASSERT_EQ(run({"export", "name", "-o", "/dev/null"}), kExitDone) << messages;
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_FALSE(std::filesystem::exists("/dev/null.bak"));
#endif

  std::filesystem::create_directory(folder.file("dir"));
  EXPECT_EQ(run({"export", "name", "-o", folder.file("dir")}), kExitFileFailed);
  EXPECT_EQ(messages, utf8(u8"无法写入文件：") + folder.file("dir") + utf8(u8"\n这是一个文件夹。\n"));
  EXPECT_TRUE(std::filesystem::is_empty(folder.file("dir")));

  EXPECT_EQ(run({"export", "name", "-o", folder.file("none/name.txt")}), kExitFileFailed);
  EXPECT_NE(messages.find(utf8(u8"无法写入文件：") + folder.file("none/name.txt") + "\n"), std::string::npos);
  EXPECT_NE(messages.find(folder.file("none/name.txt") + utf8(u8"\n原因：") + kReasonNotFound), std::string::npos)
      << "the system's reason in Chinese: " << messages;
}

// Standard output gets the table in the terminal's encoding, as diff shows its differences; a file
// stays GBK (or UTF-8 with --utf8) whatever the terminal.
// Standard output that is a terminal shows the table in the terminal's encoding; a pipe or a file gets
// the table's own bytes, so that the program's own check reads it back with no option.
TEST_F(Export, DashIsTheTerminalsTextOnATerminalAndTheTablesBytesInAPipe) {
  const std::string gbk = tableBytes("officer");
  const std::string text = gbkToUtf8(gbk).value();
  ASSERT_NE(gbk, text);
  const struct {
    const char* charset;
    std::vector<std::string> args;
  } cases[] = {
      {"UTF-8", {"export", "officer", "-o", "-"}},
#ifndef _WIN32  // a Windows terminal is UTF-8, and its standard output gets the file's own bytes
      {"UTF-8", {"export", "officer", "-o", "-", "--utf8"}},
      {"GBK", {"export", "officer", "-o", "-"}},
      {"GBK", {"export", "officer", "-o", "-", "--utf8"}},
#endif
  };
  terminal = true;
  for (const auto& c : cases) {
    charset = c.charset;
    ASSERT_EQ(run(c.args), kExitDone) << messages;
    EXPECT_TRUE(fileOnOut() == text) << c.charset << ": standard output holds " << output.size() << " bytes";
    const std::string told = charset == "GBK" ? gbkToUtf8(messages).value_or("(not GBK)") : messages;
    EXPECT_EQ(told, utf8(u8"已导出到 标准输出。\n")) << c.charset;
  }
  EXPECT_FALSE(std::filesystem::exists("-"));
  terminal = false;
  for (const char* terminalCharset : {"UTF-8", "GBK"}) {
    charset = terminalCharset;
    ASSERT_EQ(run({"export", "officer", "-o", "-"}), kExitDone) << messages;
    EXPECT_TRUE(output == gbk) << terminalCharset << ": a pipe holds " << output.size() << " bytes";
    ASSERT_EQ(run({"export", "officer", "-o", "-", "--utf8"}), kExitDone) << messages;
    EXPECT_TRUE(output == text) << terminalCharset << ": a pipe with --utf8 holds " << output.size() << " bytes";
    ASSERT_EQ(run({"export", "lord", "-o", "-"}), kExitDone) << messages;
    const std::string lords = output;
    EXPECT_EQ(runWith(builtInData(), {"check", "--lord", "-"}, lords), kExitDone) << err.str();
  }
  EXPECT_EQ(tableBytes("officer"), gbk) << "a file is GBK whatever the terminal";
}

TEST_F(Export, APipeWithoutReaderIsRefusedAtOnceAndWithOneGetsTheTable) {
#ifdef _WIN32
  GTEST_SKIP() << "needs a named pipe in the file system (mkfifo, POSIX only)";
#else
  const std::string pipe = folder.file("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  auto attempt = std::async(std::launch::async, [&] { return run({"export", "name", "-o", pipe}); });
  if (attempt.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
    const int release = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);  // lets a waiting writer go on
    attempt.wait();
    close(release);
    FAIL() << "the export waited for a reader";
  }
  EXPECT_EQ(attempt.get(), kExitFileFailed);
  EXPECT_EQ(messages, utf8(u8"无法写入文件：") + pipe + utf8(u8"\n这是一个管道，但没有程序在读取它。\n"));

  // The officer table is larger than a pipe holds, so the writer must wait for the reader part by part.
  const std::string expected = tableBytes("officer");
  const int reader = open(pipe.c_str(), O_RDWR);  // a reader that the writer's close does not end
  ASSERT_GE(reader, 0);
  auto received = std::async(std::launch::async, [&] {
    std::string bytes(expected.size(), '\0');
    std::size_t done = 0;
    pollfd waiting{reader, POLLIN, 0};
    while (done < bytes.size() && poll(&waiting, 1, 10000) == 1) {  // a writer that stops is not waited on
      const ssize_t n = read(reader, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    return bytes.substr(0, done);
  });
  EXPECT_EQ(run({"export", "officer", "-o", pipe}), kExitDone) << messages;
  const std::string got = received.get();
  EXPECT_TRUE(got == expected) << got.size() << " of " << expected.size() << " bytes arrived";
  close(reader);
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
#endif
}

}  // namespace
}  // namespace vorandel
