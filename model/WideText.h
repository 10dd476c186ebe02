#pragma once
// The one conversion between the program's text (UTF-8) and the UTF-16 that the Windows calls take and
// give, and the form of a path that the wide file calls accept whatever its length.
#ifdef _WIN32
#include <string>
#include <string_view>

namespace vorandel::platform {

// UTF-8 as UTF-16; a byte that is no UTF-8 becomes U+FFFD.
std::wstring wide(std::string_view utf8);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string narrow(std::wstring_view utf16);

// The path for the wide file calls: as it is while it is short, else absolute with the \\?\ prefix, so
// that a path longer than MAX_PATH is opened as well.
std::wstring widePath(std::string_view utf8);

}  // namespace vorandel::platform
#endif
