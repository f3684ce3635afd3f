#pragma once
// How the process's heap treats the memory a table gives back.

// A table lives in many row-sized blocks, and every insertion or deletion of
// columns builds all of them anew beside the old ones. The allocator would
// hand the old rows' pages back to the system each time and fault fresh ones
// in for the next change, which costs more than the change itself; this keeps
// freed memory in the process for reuse, up to a bound. Called once, before
// the first table is built; later calls do nothing.
void KeepFreedTableMemory();
