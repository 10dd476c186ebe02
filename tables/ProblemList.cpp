#include "tables/ProblemList.h"

#include "model/EditError.h"

namespace vorandel {

void ProblemList::add(std::string line) {
  ++count_;
  if (lines_.size() < limit_) lines_.push_back(std::move(line));
}

std::vector<std::string> ProblemList::lines() const {
  std::vector<std::string> all = lines_;
  if (count_ > lines_.size()) all.push_back(formatMessage("还有 %zu 处问题未列出", count_ - lines_.size()));
  return all;
}

}  // namespace vorandel
