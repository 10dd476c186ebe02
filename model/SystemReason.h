#pragma once
// Why a call of the system failed, told in the player's language: the common reasons in Chinese words of
// their own, any other with its number.
#include <string>
#include <system_error>

namespace vorandel {

// The reason for the error number (errno), UTF-8, without a leading "原因：".
std::string systemReason(int error);

// The reason for an error code of the standard library (std::filesystem, std::system_error): the error
// number's reason when the code has one, the library's own text otherwise.
std::string systemReason(const std::error_code& error);

}  // namespace vorandel
