#pragma once
// The game's name fields and the players' tables hold GBK bytes; the program's texts (and the tests'
// literals) are UTF-8.
#include <string>
#include <string_view>

#include "model/GbkText.h"
#include "tests/support/TempFolder.h"

namespace vorandel::testing {

// A name field's bytes as UTF-8 text, for comparing with a literal; "(not GBK)" when they are not GBK.
inline std::string nameText(std::string_view gbk) { return gbkToUtf8(gbk).value_or("(not GBK)"); }

// A GBK file's text (a report, an exported table) as UTF-8; "(not GBK)" when it is not GBK.
inline std::string gbkFileText(std::string_view gbk) { return gbkToUtf8(gbk).value_or("(not GBK)"); }

// A literal name as the GBK bytes a name field holds.
inline std::string gbkName(std::string_view utf8) { return utf8ToGbk(utf8).value(); }

// A literal table (or a word typed in a GBK terminal) as the GBK bytes of a player's file.
inline std::string gbkBytes(std::string_view utf8) { return utf8ToGbk(utf8).value(); }

// Writes a literal table as a player's GBK file.
inline void writeGbkFile(const std::string& path, std::string_view utf8) { writeFile(path, gbkBytes(utf8)); }

}  // namespace vorandel::testing
