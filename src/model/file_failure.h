#pragma once
// Why reading or writing a file failed, as far as it is known. The readers
// and writers leave the reason in the grid; the file commands put it into
// words. Nothing here needs a window.

// TooLarge: the file asks for more than the program takes in (an archive
// that expands beyond its bound, cells beyond the table's limits).
enum class TFileFailure { Unknown, NoSpace, NoPermission, NotFound, NotTable, Damaged, NoMemory, TooLarge };

// The reason behind a system error number; Unknown for 0 and the rest.
TFileFailure FileFailureOfError(int error);

// The line under a file's name in the failure message that says why (with
// its leading line break); empty when the reason is unknown, and for
// NoMemory, which has a message of its own.
const char* FailureReasonLine(TFileFailure failure);
