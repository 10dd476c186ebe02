#pragma once
// What an import did that the player may not expect although the table was read without error: a
// column named twice, a column that is read but never written, rows that change nothing, names the
// game cannot show, values that the rules of a row changed beyond the cell. The import that is given a
// collector fills it; the caller tells the player after success.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorandel {

class ImportWarnings {
 public:
  // A situation of one row (0-based line); rows with the same text are told in one line.
  void atRow(const std::string& what, std::uint32_t line);
  // A situation of the whole table, told once however often it is noted.
  void note(const std::string& what);
  // One more officer of a kind that is told as a count ("what：N 名").
  void count(const std::string& what);
  // A cell of a switched-off column that holds another value than the data, which the import did not
  // write (place: cellPlace; cell and current as the table writes them). All of them are told in one
  // line, the first few with both values, then the count.
  void switchedOffCell(const std::string& place, std::string_view cell, std::string_view current);

  // Which such cells hold no edit although they differ from the data: given the scenario and the record
  // number of the cell's row (an officer's id), its column's header and the cell. The run of tables
  // knows them (a value from before an earlier table changed the field); none when not set.
  using HeldBefore =
      std::function<bool(std::size_t scenario, int record, const std::string& header, std::string_view cell)>;
  void passOver(HeldBefore heldBefore) { heldBefore_ = std::move(heldBefore); }
  bool passesOver(std::size_t scenario, int record, const std::string& header, std::string_view cell) const {
    return heldBefore_ && heldBefore_(scenario, record, header, cell);
  }

  // One more data row switched off (row switch 0), which the import passed over; told in the summary.
  void rowSwitchedOff() { ++rowsSwitchedOff_; }
  std::size_t rowsSwitchedOff() const { return rowsSwitchedOff_; }

  bool empty() const { return entries_.empty(); }
  // One line per situation, in the order they were first met.
  std::vector<std::string> lines() const;

 private:
  enum class Form { Rows, Once, Count, Cells };
  struct Entry {
    Form form;
    std::string what;
    std::vector<std::uint32_t> rows;  // the first rows, 0-based
    std::size_t total = 0;
    std::vector<std::string> cells;  // the first cells, each as its line tells it
  };
  Entry& entry(Form form, const std::string& what);

  std::vector<Entry> entries_;
  std::size_t rowsSwitchedOff_ = 0;
  HeldBefore heldBefore_;
};

}  // namespace vorandel
