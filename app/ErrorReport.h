#pragma once
// An error as the player reads it: the text it always had, the lines of detail below it, and, where the
// player asked to see everything (the command line's check, the batch dialog's list), every problem of
// the table.
#include <string>

#include "model/EditError.h"
#include "model/Message.h"

namespace vorandel {

// The text and the details, each detail on a line of its own below the text.
Message errorWithDetails(const EditError& error);

// The list of the table's problems under a heading; empty when there is none.
std::string problemListText(const EditError& error);

// errorWithDetails, then the list of problems when withProblems, else a line that says how many
// problems there are and how to see them (when there is more than the first).
Message errorReport(const EditError& error, bool withProblems, const char* howToList);

}  // namespace vorandel
