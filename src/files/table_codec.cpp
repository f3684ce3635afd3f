// Encoding and decoding of table files.

#include "files/table_codec.h"

#include <bit>
#include <cstring>
#include <istream>
#include <limits>
#include <new>
#include <ostream>

#include "sheet/sheet_store.h"

static_assert(std::endian::native == std::endian::little, "the file's numbers are stored as the machine holds them");

namespace {

constexpr char kSignature[22] = "Quadrille Version 1.0";  // with its NUL: 22 bytes
constexpr std::size_t kFaceNameMax = sizeof(TCellFont::faceName) - 1;
constexpr std::size_t kPictureMax = sizeof(TCellFormat::formatPicture) - 1;

template <class T>
bool Put(std::ostream& out, const T& value) {
  out.write(reinterpret_cast<const char*>(&value), sizeof value);
  return out.good();
}

bool PutByte(std::ostream& out, BYTE value) { return Put(out, value); }

template <std::size_t N>
void CopyField(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
}

}  // namespace

TTableInput::TTableInput(std::istream& stream) : in(stream), remaining(std::numeric_limits<std::uint64_t>::max()) {
  const auto start = in.tellg();
  if (start < 0) return;
  in.seekg(0, std::ios::end);
  const auto end = in.tellg();
  in.seekg(start);
  if (end >= start && in.good()) remaining = static_cast<std::uint64_t>(end - start);
  in.clear(in.rdstate() & ~std::ios::eofbit);
}

bool TTableInput::Read(void* target, std::size_t count) {
  if (count > remaining) return false;
  in.read(static_cast<char*>(target), static_cast<std::streamsize>(count));
  if (!in.good() || static_cast<std::size_t>(in.gcount()) != count) return false;
  remaining -= count;
  return true;
}

bool TTableInput::ReadInt(std::int32_t& value) { return Read(&value, sizeof value); }
bool TTableInput::ReadFloat(float& value) { return Read(&value, sizeof value); }

bool WriteString(std::string_view text, std::ostream& out) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
  if (!Put(out, static_cast<std::int32_t>(text.size()))) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return out.good();
}

bool ReadString(TTableInput& in, std::string& text, std::size_t maxLength) {
  std::int32_t length = 0;
  if (!in.ReadInt(length) || length < 0 || static_cast<std::size_t>(length) > maxLength ||
      static_cast<std::uint64_t>(length) > in.Remaining())
    return false;
  text.resize(static_cast<std::size_t>(length));
  return length == 0 || in.Read(text.data(), text.size());
}

bool WriteFont(const TCellFont& font, std::ostream& out) {
  return WriteString(std::string_view(font.faceName, strnlen(font.faceName, kFaceNameMax)), out) &&
         Put(out, font.size) && Put(out, font.weight) && PutByte(out, font.italic) && PutByte(out, font.underline) &&
         PutByte(out, font.strikeOut) && Put(out, font.color);
}

bool ReadFont(TCellFont& font, TTableInput& in) {
  std::string face;
  if (!ReadString(in, face, kFaceNameMax)) return false;
  // An empty name keeps the font's own face.
  if (!face.empty()) CopyField(font.faceName, face);
  return in.Read(&font.size, sizeof font.size) && in.Read(&font.weight, sizeof font.weight) &&
         in.ReadByte(font.italic) && in.ReadByte(font.underline) && in.ReadByte(font.strikeOut) &&
         in.Read(&font.color, sizeof font.color);
}

bool WriteCellFormat(const TCell& cell, std::ostream& out) {
  const TCellFormat& format = cell.Format();
  if (!PutByte(out, cell.dataType) || !PutByte(out, cell.writeProtected) || !Put(out, format.textFormat) ||
      !Put(out, format.background))
    return false;
  for (const TCellBorder& border : format.borders)
    if (!Put(out, border.width) || !Put(out, border.style) || !Put(out, border.color)) return false;
  return WriteFont(format.font, out) && Put(out, cell.precision) &&
         WriteString(std::string_view(format.formatPicture, strnlen(format.formatPicture, kPictureMax)), out);
}

bool ReadCellFormat(TCell& cell, TTableInput& in) {
  BYTE type = 0;
  if (!in.ReadByte(type) || type > ctGeneral) return false;
  TCellFormat format = cell.Format();
  if (!in.ReadByte(cell.writeProtected) || !in.Read(&format.textFormat, sizeof format.textFormat) ||
      !in.Read(&format.background, sizeof format.background))
    return false;
  for (TCellBorder& border : format.borders)
    if (!in.Read(&border.width, sizeof border.width) || !in.Read(&border.style, sizeof border.style) ||
        !in.Read(&border.color, sizeof border.color))
      return false;
  std::string picture;
  if (!ReadFont(format.font, in) || !in.Read(&cell.precision, sizeof cell.precision) ||
      !ReadString(in, picture, kPictureMax))
    return false;
  if (!picture.empty()) CopyField(format.formatPicture, picture);
  cell.dataType = type;
  cell.SetFormat(format);
  return true;
}

bool WriteCell(const TCell& cell, std::ostream& out) {
  if (!PutByte(out, '<') || !WriteCellFormat(cell, out) || !PutByte(out, cell.invalid)) return false;
  char slot[8];
  std::memcpy(slot, &cell.value, sizeof slot);
  if (cell.dataType == ctText) {
    if (cell.text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
    const auto length = static_cast<std::int32_t>(cell.text.size());
    std::memcpy(slot, &length, sizeof length);
    std::memset(slot + sizeof length, 0, sizeof slot - sizeof length);
  }
  out.write(slot, sizeof slot);
  if (cell.dataType == ctText) out.write(cell.text.data(), static_cast<std::streamsize>(cell.text.size()));
  return out.good() && PutByte(out, '>');
}

bool ReadCell(TCell& cell, TTableInput& in) {
  BYTE marker = 0;
  if (!in.ReadByte(marker) || marker != '<' || !ReadCellFormat(cell, in) || !in.ReadByte(cell.invalid)) return false;
  char slot[8];
  if (!in.Read(slot, sizeof slot)) return false;
  if (cell.dataType == ctText) {
    std::int32_t length = 0;
    std::memcpy(&length, slot, sizeof length);
    if (length < 0 || static_cast<std::uint64_t>(length) > in.Remaining()) return false;
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0 && !in.Read(text.data(), text.size())) return false;
    cell.text = text;
    cell.value = TCellValue();
  } else {
    std::memcpy(&cell.value, slot, sizeof slot);
  }
  return in.ReadByte(marker) && marker == '>';
}

bool WriteTableImage(const TTableHeader& header, const TSheetStore& store, std::ostream& out) {
  return WriteTableImage(header, store.cells, store.rowHeights, store.columnWidths, out);
}

bool WriteTableImage(const TTableHeader& header, const std::vector<std::unique_ptr<TCell[]>>& cells,
                     const std::vector<float>& rowHeights, const std::vector<float>& columnWidths, std::ostream& out) {
  if (rowHeights.size() > cells.size() || rowHeights.size() > 0x7FFFFFFF || columnWidths.size() > 0x7FFFFFFF)
    return false;
  if (!PutByte(out, '[')) return false;
  out.write(kSignature, sizeof kSignature);
  if (!out.good()) return false;
  const auto rows = static_cast<std::int32_t>(rowHeights.size());
  const auto columns = static_cast<std::int32_t>(columnWidths.size());
  if (!Put(out, rows) || !Put(out, columns) || !Put(out, header.zoom) || !Put(out, header.frozenRows) ||
      !Put(out, header.frozenColumns) || !Put(out, header.leftColumn) || !Put(out, header.topRow) ||
      !Put(out, header.autoFit))
    return false;
  out.write(reinterpret_cast<const char*>(rowHeights.data()),
            static_cast<std::streamsize>(rowHeights.size() * sizeof(float)));
  out.write(reinterpret_cast<const char*>(columnWidths.data()),
            static_cast<std::streamsize>(columnWidths.size() * sizeof(float)));
  if (!out.good() || !Put(out, header.editColumn) || !Put(out, header.editRow)) return false;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      if (!WriteCell(cells[r][c], out)) return false;
  return PutByte(out, ']');
}

namespace {

// Whether R rows and C columns could be in a file of the bytes left after
// them, and could be held in memory.
bool ShapeFits(std::int32_t rows, std::int32_t columns, std::uint64_t remaining) {
  if (rows < 1 || columns < 1) return false;
  const auto r = static_cast<std::uint64_t>(rows);
  const auto c = static_cast<std::uint64_t>(columns);
  // Fixed header rest (6 x 4), sizes, current cell (8), cells, end marker.
  const std::uint64_t needed = 24 + 4 * r + 4 * c + 8 + r * c * kMinCellRecordBytes + 1;
  return needed <= remaining && TSheetStore::Fits(rows, columns);
}

bool ReadImage(std::istream& stream, TTableHeader& header, TSheetStore& store) {
  TTableInput in(stream);
  BYTE byte = 0;
  if (!in.ReadByte(byte) || byte != '[') return false;
  for (char expected : kSignature)
    if (!in.ReadByte(byte) || byte != static_cast<BYTE>(expected)) return false;
  std::int32_t rows = 0;
  std::int32_t columns = 0;
  if (!in.ReadInt(rows) || !in.ReadInt(columns) || !ShapeFits(rows, columns, in.Remaining())) return false;
  if (!store.AllocateShape(rows, columns)) return false;
  if (!in.ReadFloat(header.zoom) || !in.ReadInt(header.frozenRows) || !in.ReadInt(header.frozenColumns) ||
      !in.ReadInt(header.leftColumn) || !in.ReadInt(header.topRow) || !in.ReadInt(header.autoFit) ||
      !in.Read(store.rowHeights.data(), store.rowHeights.size() * sizeof(float)) ||
      !in.Read(store.columnWidths.data(), store.columnWidths.size() * sizeof(float)) ||
      !in.ReadInt(header.editColumn) || !in.ReadInt(header.editRow))
    return false;
  for (int r = 0; r < rows; ++r) {
    store.cells[r] = store.NewRow();
    if (!store.cells[r]) return false;
    TCell* row = store.cells[r].get();
    for (int c = 0; c < columns; ++c) {
      if (!ReadCell(row[c], in)) return false;
      if (row[c].dataType != ctText) row[c].FormatValue();
    }
  }
  return in.ReadByte(byte) && byte == ']';
}

}  // namespace

bool ReadTableImage(std::istream& stream, TTableHeader& header, TSheetStore& store) {
  TTableHeader read;
  TSheetStore built;
  bool ok = false;
  try {
    ok = ReadImage(stream, read, built);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) return false;
  header = read;
  std::swap(store, built);
  return true;
}
