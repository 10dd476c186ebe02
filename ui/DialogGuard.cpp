#include "ui/DialogGuard.h"

#include <new>
#include <system_error>
#include <typeinfo>

#include "model/EditError.h"
#include "model/FileError.h"
#include "model/SystemReason.h"

namespace vorandel::ui {

std::string unexpectedErrorText(std::exception_ptr error) {
  std::string details;
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    details = kOutOfMemory;
  } catch (const EditError& edit) {
    details = edit.text();
  } catch (const FileError& file) {
    details = file.message().joined();
  } catch (const std::system_error& system) {
    // A failure of the system with an error number is told in the player's words.
    if (system.code().default_error_condition().category() == std::generic_category())
      details = "原因：" + systemReason(system.code());
    else
      details = std::string(system.what()) + "（" + typeid(system).name() + "）";
  } catch (const std::exception& other) {
    details = std::string(other.what()) + "（" + typeid(other).name() + "）";
  } catch (...) {
    details = kUnknownError;
  }
  return std::string(kUnexpectedError) + "\n" + details + "\n" + kChangesKept;
}

}  // namespace vorandel::ui
