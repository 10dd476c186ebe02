#pragma once
// What an import did that the player may not expect although the table was read without error: a
// column named twice, a column that is read but never written, rows that change nothing, names the
// game cannot show, values that the rules of a row changed beyond the cell. The import that is given a
// collector fills it; the caller tells the player after success.
#include <cstddef>
#include <cstdint>
#include <string>
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

  // One more data row switched off (row switch 0), which the import passed over; told in the summary.
  void rowSwitchedOff() { ++rowsSwitchedOff_; }
  std::size_t rowsSwitchedOff() const { return rowsSwitchedOff_; }

  bool empty() const { return entries_.empty(); }
  // One line per situation, in the order they were first met.
  std::vector<std::string> lines() const;

 private:
  enum class Form { Rows, Once, Count };
  struct Entry {
    Form form;
    std::string what;
    std::vector<std::uint32_t> rows;  // the first rows, 0-based
    std::size_t total = 0;
  };
  Entry& entry(Form form, const std::string& what);

  std::vector<Entry> entries_;
  std::size_t rowsSwitchedOff_ = 0;
};

}  // namespace vorandel
