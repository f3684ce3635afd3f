#include "model/file_failure.h"

#include <cerrno>

TFileFailure FileFailureOfError(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return TFileFailure::NoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
      return TFileFailure::NoPermission;
    case ENOENT:
    case ENOTDIR:
      return TFileFailure::NotFound;
    default:
      return TFileFailure::Unknown;
  }
}
