#pragma once
// The table file's records, written to and read from byte streams with no
// window involved: little-endian numbers, strings as an int32 length and the
// bytes, cells as marked records. Readers never trust a count from the file:
// every length is checked against its field and against the bytes left.

#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cell/cell.h"
#include "model/file_progress.h"

class TSheet;

// An input stream that knows how many bytes it still holds, so that a count
// read from it can be refused before anything is allocated for it.
class TTableInput {
 public:
  explicit TTableInput(std::istream& stream);
  ~TTableInput();
  TTableInput(const TTableInput&) = delete;
  TTableInput& operator=(const TTableInput&) = delete;

  // The bytes come through a buffer of the input's own, so the stream may be
  // read beyond what was asked for, never beyond its end.
  bool Read(void* target, std::size_t count) {
    if (count > end - next) return ReadSlow(target, count);
    std::memcpy(target, buffer.get() + next, count);
    next += count;
    remaining -= count;
    return true;
  }
  bool ReadByte(BYTE& value) { return Read(&value, 1); }
  bool ReadInt(std::int32_t& value);
  bool ReadFloat(float& value);
  std::uint64_t Remaining() const { return remaining; }

 private:
  bool ReadSlow(void* target, std::size_t count);
  bool Fill();  // only when the buffer is used up

  std::istream& in;
  std::uint64_t remaining;  // unread bytes, those in the buffer included
  std::unique_ptr<char[]> buffer;
  std::size_t next = 0;  // the buffer's unread bytes are [next, end)
  std::size_t end = 0;
};

// The parts of a table that are not cells: what the header and the current
// cell position say.
struct TTableHeader {
  float zoom = 1.0f;
  std::int32_t frozenRows = 0;
  std::int32_t frozenColumns = 0;
  std::int32_t leftColumn = 0;
  std::int32_t topRow = 0;
  std::int32_t autoFit = 0;
  std::int32_t editColumn = -1;  // -1: no cell was being edited
  std::int32_t editRow = -1;
};

// A cell record takes at least this many bytes, strings and text empty.
constexpr std::uint64_t kMinCellRecordBytes = 96;

bool WriteString(std::string_view text, std::ostream& out);
// Up to maxLength bytes; a negative length or a longer one fails.
bool ReadString(TTableInput& in, std::string& text, std::size_t maxLength);
bool WriteFont(const TCellFont& font, std::ostream& out);
bool ReadFont(TCellFont& font, TTableInput& in);
bool WriteCellFormat(const TCell& cell, std::ostream& out);
bool ReadCellFormat(TCell& cell, TTableInput& in);
bool WriteCell(const TCell& cell, std::ostream& out);
// The cell's text is the stored one for text cells; other cells are left for
// the caller to format from their value.
bool ReadCell(TCell& cell, TTableInput& in);

// The whole file: header, sizes, current cell, cells and end marker; there
// are as many rows and columns as the sheet has. The frozen counts written
// are the header's. progress hears of every row written.
bool WriteTableImage(const TTableHeader& header, const TSheet& sheet, std::ostream& out,
                     const TFileProgress& progress = {});
// Reads a whole table into a new sheet, which then replaces sheet, with the
// header's frozen counts brought into its range (the header keeps them as
// read); false, with sheet and header unchanged, for anything but a
// complete, well-formed table. Texts of typed cells are regenerated from
// their values. progress hears of the bytes read before every row.
bool ReadTableImage(std::istream& stream, TTableHeader& header, TSheet& sheet, const TFileProgress& progress = {});

// Whether the stream begins as a table file does, whatever follows.
bool StartsAsTableImage(std::istream& stream);
