#include "model/SystemReason.h"

#include <cerrno>

#include "model/EditError.h"
#include "model/Messages.h"

namespace vorandel {

std::string systemReason(int error) {
  switch (error) {
    case ENOENT: return kReasonNotFound;
    case ENOTDIR: return kReasonNotAFolder;
    case EISDIR: return kReasonIsAFolder;
    case EACCES:
    case EPERM: return kReasonNoPermission;
    case ENOSPC: return kReasonDiskFull;
    case EROFS: return kReasonReadOnlySystem;
    case EEXIST: return kReasonExists;
    case ENAMETOOLONG: return kReasonNameTooLong;
    case EMFILE:
    case ENFILE: return kReasonTooManyOpen;
    case EIO: return kReasonDiskFault;
    case EBUSY: return kReasonBusy;
    case ELOOP: return kReasonLinkLoop;
    case EFBIG: return kReasonFileTooLarge;
    case EXDEV: return kReasonOtherDisk;
    case EMLINK: return kReasonTooManyLinks;
    case ETXTBSY: return kReasonProgramRunning;
    case ENOTEMPTY: return kReasonFolderNotEmpty;
    case ENOTSUP: return kReasonNotSupported;
    case ENOMEM: return kReasonOutOfMemory;
#ifdef EDQUOT
    case EDQUOT: return kReasonQuotaExceeded;
#endif
#ifdef ESTALE
    case ESTALE: return kReasonStaleNetworkFile;
#endif
    default: return formatMessage(kSystemErrorNumber, error);
  }
}

std::string systemReason(const std::error_code& error) {
  const std::error_condition condition = error.default_error_condition();
  if (condition.category() == std::generic_category()) return systemReason(condition.value());
  return error.message();
}

}  // namespace vorandel
