#pragma once
// Why reading or writing a file failed, as far as it is known. The readers
// and writers leave the reason in the grid; the file commands put it into
// words. Nothing here needs a window.

enum class TFileFailure { Unknown, NoSpace, NoPermission, NotFound, NotTable, Damaged, NoMemory };

// The reason behind a system error number; Unknown for 0 and the rest.
TFileFailure FileFailureOfError(int error);
