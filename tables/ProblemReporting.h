#pragma once
// An import's one way of meeting a problem, whatever the table: raised at the first, or, when the import
// only lists the table's problems, noted and the reading goes on.
#include "tables/ProblemList.h"

namespace vorandel {

// An import's one way of meeting a problem: raised, or, when the import only lists, noted.
class ProblemReporting {
 public:
  explicit ProblemReporting(ProblemList* problems) : problems_(problems) {}

  bool listing() const { return problems_ != nullptr; }

  // Notes the line that `line` makes when listing; otherwise calls `raise`, which throws.
  template <class Line, class Raise>
  void noteOrRaise(Line&& line, Raise&& raise) {
    if (problems_ == nullptr) {
      raise();
      return;
    }
    problems_->addMade(line);
  }

 private:
  ProblemList* problems_;
};

}  // namespace vorandel
