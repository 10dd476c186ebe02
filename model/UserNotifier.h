#pragma once
// How the core tells the user of a failure that it handles itself (a missing table file, a file that
// cannot be renamed or written). The Windows program shows a message box titled "错误"; the command line
// prints the text.
#include <string>

namespace vorandel {

class UserNotifier {
 public:
  virtual ~UserNotifier() = default;
  virtual void showError(const std::string& text) = 0;  // GBK text
};

}  // namespace vorandel
