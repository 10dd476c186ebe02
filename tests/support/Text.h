#pragma once
// Texts in the tests: UTF-8 literals as the program's strings, and a look for one text in another.
#include <string>
#include <string_view>

namespace vorandel::testing {

// A u8"" literal as the program's UTF-8 text.
inline std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

inline bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace vorandel::testing
