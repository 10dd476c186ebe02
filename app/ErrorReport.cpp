#include "app/ErrorReport.h"

namespace vorandel {

namespace {

Message& newLine(Message& message) {
  const std::string joined = message.joined();
  if (!joined.empty() && joined.back() != '\n') message.text("\n");
  return message;
}

}  // namespace

Message errorWithDetails(const EditError& error) {
  Message message(error.text());
  if (!error.details().empty()) newLine(message).append(error.details());
  return message;
}

std::string problemListText(const EditError& error) {
  if (error.problems().empty()) return std::string();
  std::string text = "表中所有无法读取的地方（按文件顺序）：";
  for (const std::string& line : error.problems()) text += "\n" + line;
  return text;
}

Message errorReport(const EditError& error, bool withProblems, const char* howToList) {
  Message message = errorWithDetails(error);
  if (error.problems().empty()) return message;
  if (withProblems)
    newLine(message).text(problemListText(error));
  else if (error.problems().size() > 1)
    newLine(message).text(std::string("表中还有其他无法读取的地方，") + howToList);
  return message;
}

}  // namespace vorandel
