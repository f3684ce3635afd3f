#include "model/exchange/exchange_formats.h"

#include "model/exchange/csv.h"
#include "model/exchange/ods_reader.h"
#include "model/exchange/ods_writer.h"
#include "model/exchange/xlsx.h"

bool ReadExchange(TFileKind kind, std::string_view data, TSheet& sheet, TExchangeReport& report,
                  TFileFailure& failure) {
  switch (kind) {
    case TFileKind::Csv:
      return ReadCsv(data, sheet, report, failure);
    case TFileKind::Xlsx:
      return ReadXlsx(data, sheet, report, failure);
    case TFileKind::Ods:
      return ReadOds(data, sheet, report, failure);
    default:
      failure = TFileFailure::NotTable;
      return false;
  }
}

bool WriteExchange(TFileKind kind, const TSheet& sheet, std::ostream& out) {
  switch (kind) {
    case TFileKind::Csv:
      return WriteCsv(sheet, out);
    case TFileKind::Xlsx:
      return WriteXlsx(sheet, out);
    case TFileKind::Ods:
      return WriteOds(sheet, out);
    default:
      return false;
  }
}
