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
  std::size_t count() const { return count_; }
  // The lines kept, then "还有 N 处问题未列出" when some were left out.
  std::vector<std::string> lines() const;

 private:
  std::size_t limit_;
  std::size_t count_ = 0;
  std::vector<std::string> lines_;
};

}  // namespace vorandel
