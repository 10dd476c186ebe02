#pragma once
// The problems found when every cell of a table is read after the first error, one line each, in file
// order, up to a limit; the rest are only counted.
#include <cstddef>
#include <string>
#include <vector>

namespace vorandel {

class ProblemList {
 public:
  static constexpr std::size_t kDefaultLimit = 100;
  explicit ProblemList(std::size_t limit = kDefaultLimit) : limit_(limit) {}

  void add(std::string line);
  // Adds the line that `make` returns, made only while lines are still kept: beyond the limit a
  // problem is only counted, however costly its line would be (closest names, a long cell).
  template <class Make>
  void addMade(Make&& make) {
    if (lines_.size() < limit_)
      add(make());
    else
      ++count_;
  }
  std::size_t count() const { return count_; }
  // The lines kept, then "还有 N 处问题未列出" when some were left out.
  std::vector<std::string> lines() const;

 private:
  std::size_t limit_;
  std::size_t count_ = 0;
  std::vector<std::string> lines_;
};

}  // namespace vorandel
