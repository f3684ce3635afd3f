#include "model/file_failure.h"

#include <cerrno>

#include "model/messages.h"

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

const char* FailureReasonLine(TFileFailure failure) {
  switch (failure) {
    case TFileFailure::NoSpace:
      return kNoSpaceReason;
    case TFileFailure::NoPermission:
      return kNoPermissionReason;
    case TFileFailure::NotFound:
      return kNoSuchFileReason;
    case TFileFailure::NotTable:
      return kNotTableReason;
    case TFileFailure::Damaged:
      return kDamagedFileReason;
    case TFileFailure::TooLarge:
      return kTooLargeFileReason;
    case TFileFailure::NoMemory:
    case TFileFailure::Unknown:
      break;
  }
  return "";
}
