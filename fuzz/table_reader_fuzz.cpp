// Any bytes given to the table reader: it accepts a whole table or refuses,
// and never reads, writes or allocates beyond what the bytes allow.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "model/table_codec.h"
#include "model/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TTableHeader header;
  TSheet store;
  if (ReadTableImage(in, header, store)) {
    // What was accepted writes and reads back.
    std::ostringstream out;
    if (!WriteTableImage(header, store, out)) __builtin_trap();
    std::istringstream again(out.str());
    TSheet reread;
    if (!ReadTableImage(again, header, reread)) __builtin_trap();
  }
  return 0;
}
