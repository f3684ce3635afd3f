// Encoding and decoding of table files.

#include "model/table_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <istream>
#include <limits>
#include <new>
#include <ostream>

#include "model/sheet.h"
#include "model/limits.h"

static_assert(std::endian::native == std::endian::little, "the file's numbers are stored as the machine holds them");

namespace {

constexpr char kSignature[22] = "Quadrille Version 1.0";  // with its NUL: 22 bytes
constexpr std::size_t kFaceNameMax = sizeof(TCellFont::faceName) - 1;
constexpr std::size_t kPictureMax = sizeof(TCellFormat::formatPicture) - 1;
// Records are gathered in memory and reach the stream in blocks of about
// this size: a stream call per field would cost more than the encoding.
constexpr std::size_t kOutputBlock = std::size_t{1} << 20;
// Bytes the reader takes from the stream at a time.
constexpr std::size_t kInputBlock = std::size_t{1} << 16;

template <class T>
void Append(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

bool AppendString(std::string& bytes, std::string_view text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
  Append(bytes, static_cast<std::int32_t>(text.size()));
  bytes.append(text);
  return true;
}

void AppendFont(std::string& bytes, const TCellFont& font) {
  AppendString(bytes, std::string_view(font.faceName, strnlen(font.faceName, kFaceNameMax)));
  Append(bytes, font.size);
  Append(bytes, font.weight);
  Append(bytes, font.italic);
  Append(bytes, font.underline);
  Append(bytes, font.strikeOut);
  Append(bytes, font.color);
}

void AppendCellFormat(std::string& bytes, const TCell& cell) {
  const TCellFormat& format = cell.Format();
  Append(bytes, cell.dataType);
  Append(bytes, cell.writeProtected);
  Append(bytes, format.textFormat);
  Append(bytes, format.background);
  for (const TCellBorder& border : format.borders) {
    Append(bytes, border.width);
    Append(bytes, border.style);
    Append(bytes, border.color);
  }
  AppendFont(bytes, format.font);
  Append(bytes, cell.precision);
  AppendString(bytes, std::string_view(format.formatPicture, strnlen(format.formatPicture, kPictureMax)));
}

bool AppendCell(std::string& bytes, const TCell& cell) {
  if (cell.dataType == ctText && cell.text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    return false;
  bytes += '<';
  AppendCellFormat(bytes, cell);
  Append(bytes, cell.invalid);
  char slot[8];
  std::memcpy(slot, &cell.value, sizeof slot);
  if (cell.dataType == ctText) {
    const auto length = static_cast<std::int32_t>(cell.text.size());
    std::memcpy(slot, &length, sizeof length);
    std::memset(slot + sizeof length, 0, sizeof slot - sizeof length);
  }
  bytes.append(slot, sizeof slot);
  if (cell.dataType == ctText) bytes.append(std::string_view(cell.text));
  bytes += '>';
  return true;
}

bool Flush(std::ostream& out, std::string& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.clear();
  return out.good();
}

template <std::size_t N>
void CopyField(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
}

}  // namespace

TTableInput::TTableInput(std::istream& stream)
    : in(stream), remaining(std::numeric_limits<std::uint64_t>::max()), buffer(new char[kInputBlock]) {
  const auto start = in.tellg();
  if (start < 0) return;
  in.seekg(0, std::ios::end);
  const auto end = in.tellg();
  in.seekg(start);
  if (end >= start && in.good()) remaining = static_cast<std::uint64_t>(end - start);
  in.clear(in.rdstate() & ~std::ios::eofbit);
}

TTableInput::~TTableInput() = default;

bool TTableInput::Fill() {
  const std::uint64_t unread = remaining - (end - next);
  const auto wanted = static_cast<std::streamsize>(std::min<std::uint64_t>(kInputBlock, unread));
  if (wanted == 0 || !in.good()) return false;
  in.read(buffer.get(), wanted);
  next = 0;
  end = static_cast<std::size_t>(in.gcount());
  return end > 0;
}

bool TTableInput::ReadSlow(void* target, std::size_t count) {
  if (count > remaining) return false;
  auto* out = static_cast<char*>(target);
  while (count > 0) {
    if (next == end && !Fill()) return false;
    const std::size_t part = std::min(count, end - next);
    std::memcpy(out, buffer.get() + next, part);
    next += part;
    out += part;
    count -= part;
    remaining -= part;
  }
  return true;
}

bool TTableInput::ReadInt(std::int32_t& value) { return Read(&value, sizeof value); }
bool TTableInput::ReadFloat(float& value) { return Read(&value, sizeof value); }

bool WriteString(std::string_view text, std::ostream& out) {
  std::string bytes;
  return AppendString(bytes, text) && Flush(out, bytes);
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
  std::string bytes;
  AppendFont(bytes, font);
  return Flush(out, bytes);
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
  std::string bytes;
  AppendCellFormat(bytes, cell);
  return Flush(out, bytes);
}

bool ReadCellFormat(TCell& cell, TTableInput& in) {
  BYTE type = 0;
  if (!in.ReadByte(type) || type > ctGeneral) return false;
  TCellFormat format = cell.Format();
  if (!in.ReadByte(cell.writeProtected) || !in.Read(&format.textFormat, sizeof format.textFormat) ||
      !in.Read(&format.background, sizeof format.background))
    return false;
  for (TCellBorder& border : format.borders) {
    if (!in.Read(&border.width, sizeof border.width) || !in.Read(&border.style, sizeof border.style) ||
        !in.Read(&border.color, sizeof border.color))
      return false;
    border.width = ClampBorderWidth(border.width);
  }
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
  std::string bytes;
  return AppendCell(bytes, cell) && Flush(out, bytes);
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
    // Most texts are short: they go through the stack, not the heap.
    char shortText[64];
    if (static_cast<std::size_t>(length) <= sizeof shortText) {
      if (!in.Read(shortText, static_cast<std::size_t>(length))) return false;
      cell.text.assign(shortText, static_cast<std::size_t>(length));
    } else {
      std::string text(static_cast<std::size_t>(length), '\0');
      if (!in.Read(text.data(), text.size())) return false;
      cell.text = text;
    }
    cell.value = TCellValue();
  } else {
    std::memcpy(&cell.value, slot, sizeof slot);
  }
  return in.ReadByte(marker) && marker == '>';
}

bool WriteTableImage(const TTableHeader& header, const TSheet& sheet, std::ostream& out,
                     const TFileProgress& progress) {
  const std::vector<std::unique_ptr<TCell[]>>& cells = sheet.Rows();
  const std::vector<float>& rowHeights = sheet.RowHeights();
  const std::vector<float>& columnWidths = sheet.ColumnWidths();
  const auto rows = static_cast<std::int32_t>(rowHeights.size());
  const auto columns = static_cast<std::int32_t>(columnWidths.size());
  std::string bytes;
  bytes.reserve(kOutputBlock + 4096);
  bytes += '[';
  bytes.append(kSignature, sizeof kSignature);
  for (std::int32_t value : {rows, columns}) Append(bytes, value);
  Append(bytes, header.zoom);
  for (std::int32_t value : {header.frozenRows, header.frozenColumns, header.leftColumn, header.topRow, header.autoFit})
    Append(bytes, value);
  if (!Flush(out, bytes)) return false;
  out.write(reinterpret_cast<const char*>(rowHeights.data()),
            static_cast<std::streamsize>(rowHeights.size() * sizeof(float)));
  out.write(reinterpret_cast<const char*>(columnWidths.data()),
            static_cast<std::streamsize>(columnWidths.size() * sizeof(float)));
  if (!out.good()) return false;
  Append(bytes, header.editColumn);
  Append(bytes, header.editRow);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      if (!AppendCell(bytes, cells[r][c])) return false;
      if (bytes.size() >= kOutputBlock && !Flush(out, bytes)) return false;
    }
    if (progress) progress(static_cast<std::uint64_t>(r) + 1, static_cast<std::uint64_t>(rows));
  }
  bytes += ']';
  return Flush(out, bytes);
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

bool ReadImage(std::istream& stream, TTableHeader& header, TSheetStore& store, const TFileProgress& progress) {
  TTableInput in(stream);
  const std::uint64_t size = in.Remaining();
  const bool sized = size != std::numeric_limits<std::uint64_t>::max();
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
  for (float& size : store.rowHeights)
    if (!ClampCellSize(size)) return false;
  for (float& size : store.columnWidths)
    if (!ClampCellSize(size)) return false;
  for (int r = 0; r < rows; ++r) {
    if (progress && !progress(sized ? size - in.Remaining() : 0, sized ? size : 0)) return false;
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

bool ReadTableImage(std::istream& stream, TTableHeader& header, TSheet& sheet, const TFileProgress& progress) {
  TTableHeader read;
  TSheetStore built;
  bool ok = false;
  try {
    ok = ReadImage(stream, read, built, progress);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) return false;
  header = read;
  sheet.Adopt(built, read.frozenRows, read.frozenColumns);
  return true;
}

bool StartsAsTableImage(std::istream& stream) {
  TTableInput in(stream);
  BYTE byte = 0;
  if (!in.ReadByte(byte) || byte != '[') return false;
  for (char expected : kSignature)
    if (!in.ReadByte(byte) || byte != static_cast<BYTE>(expected)) return false;
  return true;
}
