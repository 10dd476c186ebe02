#pragma once
// Why a call of the system failed, told in the player's language: the common reasons in Chinese words of
// their own, any other with its number.
#include <string>

namespace vorandel {

// The reason for the error number (errno), UTF-8, without a leading "原因：".
std::string systemReason(int error);

}  // namespace vorandel
