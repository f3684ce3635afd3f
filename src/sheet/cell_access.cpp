// Cell coordinates, protection, type and values by row and column.

#include "sheet/gridwork.h"

TCell* TGridwork::CellAt(int& row, int& col) {
  if (sheet.RowCount() <= 0 || sheet.ColumnCount() <= 0) return nullptr;
  ClampCell(row, col);
  return &sheet.Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(col));
}

void TGridwork::ClampCell(int& row, int& col) const {
  if (row < 0) row = 0;
  if (row > sheet.RowCount() - 1) row = sheet.RowCount() - 1;
  if (col < 0) col = 0;
  if (col > sheet.ColumnCount() - 1) col = sheet.ColumnCount() - 1;
}

bool TGridwork::NextCellInSheet(int& row, int& col) const {
  if (sheet.RowCount() <= 0 || sheet.ColumnCount() <= 0) return false;
  ClampCell(row, col);
  if (col < sheet.ColumnCount() - 1) {
    ++col;
  } else if (row < sheet.RowCount() - 1) {
    col = 0;
    ++row;
  } else {
    return false;
  }
  return true;
}

bool TGridwork::PrevCellInSheet(int& row, int& col) const {
  if (sheet.RowCount() <= 0 || sheet.ColumnCount() <= 0) return false;
  ClampCell(row, col);
  if (col > 0) {
    --col;
  } else if (row > 0) {
    col = sheet.ColumnCount() - 1;
    --row;
  } else {
    return false;
  }
  return true;
}

void TGridwork::FirstVisibleCell(int& row, int& col) const {
  row = sheet.FrozenRows() > 0 ? 0 : layout.topRow;
  col = sheet.FrozenColumns() > 0 ? 0 : layout.leftColumn;
}

void TGridwork::SetCellProtected(int row, int col, BYTE flag) {
  if (TCell* cell = CellAt(row, col)) cell->writeProtected = flag;
}

BYTE TGridwork::GetCellProtected(int row, int col) {
  const TCell* cell = CellAt(row, col);
  return cell != nullptr ? cell->writeProtected : 0;
}

bool TGridwork::SetCellType(int row, int col, BYTE code) {
  TCell* cell = CellAt(row, col);
  if (cell == nullptr) return false;
  if (code == 0 || code > ctGeneral) code = ctText;
  const bool result = cell->SetDataType(code);
  if (autoFit) FitCellToText(row, col);
  return result;
}

BYTE TGridwork::GetCellType(int row, int col) {
  const TCell* cell = CellAt(row, col);
  return cell != nullptr ? cell->GetDataType() : 0;
}

bool TGridwork::SetCellText(int row, int col, const char* text) {
  TCell* cell = CellAt(row, col);
  if (cell == nullptr || cell->GetDataType() != ctText) return false;
  cell->SetText(text);
  if (autoFit) FitCellToText(row, col);
  return true;
}

namespace {

// A typed setter followed by fitting when it succeeded.
template <class TSetter>
bool SetTyped(TGridwork& grid, int row, int col, TCell* cell, TSetter setter) {
  if (cell == nullptr) return false;
  const bool result = setter(*cell);
  if (result && grid.AutoFit()) grid.FitCellToText(row, col);
  return result;
}

}  // namespace

bool TGridwork::SetCellDate(int row, int col, const SYSTEMTIME& date) {
  return SetTyped(*this, row, col, CellAt(row, col), [&](TCell& c) { return c.SetDate(date); });
}

bool TGridwork::SetCellTime(int row, int col, const SYSTEMTIME& time) {
  return SetTyped(*this, row, col, CellAt(row, col), [&](TCell& c) { return c.SetTime(time); });
}

bool TGridwork::SetCellInteger(int row, int col, LONG number) {
  return SetTyped(*this, row, col, CellAt(row, col), [&](TCell& c) { return c.SetInteger(number); });
}

bool TGridwork::SetCellFixed(int row, int col, double number) {
  return SetTyped(*this, row, col, CellAt(row, col), [&](TCell& c) { return c.SetFixed(number); });
}

bool TGridwork::SetCellFixedAlt(int row, int col, double number) {
  return SetTyped(*this, row, col, CellAt(row, col), [&](TCell& c) { return c.SetFixedAlt(number); });
}

bool TGridwork::SetCellGeneral(int row, int col, double number) {
  return SetTyped(*this, row, col, CellAt(row, col), [&](TCell& c) { return c.SetGeneral(number); });
}

bool TGridwork::GetCellText(int row, int col, std::string& buffer) {
  const TCell* cell = CellAt(row, col);
  if (cell == nullptr) return false;
  return cell->GetText(buffer);
}

bool TGridwork::GetCellDateTime(int row, int col, SYSTEMTIME& dateTime) {
  const TCell* cell = CellAt(row, col);
  return cell != nullptr && cell->GetDateTime(dateTime);
}

bool TGridwork::GetCellInteger(int row, int col, LONG& number) {
  const TCell* cell = CellAt(row, col);
  return cell != nullptr && cell->GetInteger(number);
}

bool TGridwork::GetCellReal(int row, int col, double& number) {
  const TCell* cell = CellAt(row, col);
  return cell != nullptr && cell->GetReal(number);
}
