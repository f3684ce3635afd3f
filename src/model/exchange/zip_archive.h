#pragma once
// ZIP archives held in memory, over libzip: the container of the workbook
// formats of other spreadsheet programs.
//
// Reading never trusts the sizes an archive declares. An entry is read in
// pieces and refused as TooLarge as soon as it has expanded beyond the
// bound, whatever its header says, and so is an archive whose entries
// expand beyond the bound in all. The bounds keep a "zip bomb" (a few
// kilobytes inflating to gigabytes) from taking the machine's memory.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_failure.h"

struct zip;

struct TZipLimits {
  // 256 MiB for one entry: a worksheet of the largest table the program
  // holds stays well below it.
  std::uint64_t entryBytes = std::uint64_t{256} << 20;
  // 1 GiB for everything read from one archive.
  std::uint64_t totalBytes = std::uint64_t{1} << 30;
};

class TZipReader {
 public:
  TZipReader();
  explicit TZipReader(const TZipLimits& limits);
  ~TZipReader();
  TZipReader(const TZipReader&) = delete;
  TZipReader& operator=(const TZipReader&) = delete;

  // Opens the archive in data, which must stay alive while the reader is
  // open. NotTable when data is no ZIP archive at all, Damaged when it is
  // a damaged or truncated one.
  bool Open(std::string_view data, TFileFailure& failure);
  // The names of the entries, in the archive's order.
  std::vector<std::string> Names() const;
  bool Has(std::string_view name) const;
  // The whole uncompressed entry into out. Damaged for a missing entry or
  // one that does not inflate or fails its checksum; TooLarge beyond the
  // bounds. out is unspecified on failure.
  bool Read(std::string_view name, std::string& out, TFileFailure& failure);
  // The same in pieces, each handed to take as it is inflated, so that a
  // large entry need not be held whole; take answers false to stop, and
  // then so does ReadPieces, leaving failure to take.
  bool ReadPieces(std::string_view name, const std::function<bool(std::string_view)>& take, TFileFailure& failure);

 private:
  struct TClose {
    void operator()(zip* archive) const;
  };
  TZipLimits limits;
  // The entry opened for reading and the bytes it may still expand to.
  struct TZipFileClose {
    void operator()(struct zip_file* file) const;
  };
  std::unique_ptr<struct zip_file, TZipFileClose> OpenEntry(std::string_view name, std::uint64_t& allowed,
                                                             std::uint64_t& declared, TFileFailure& failure);

  std::unique_ptr<zip, TClose> archive;
  std::uint64_t totalRead = 0;
};

class TZipWriter {
 public:
  TZipWriter();
  ~TZipWriter();
  TZipWriter(const TZipWriter&) = delete;
  TZipWriter& operator=(const TZipWriter&) = delete;

  // Adds an entry, deflated, or stored as it is with stored (an ODS file's
  // "mimetype" must come first and stored). The writer keeps data until
  // Finish. False when the archive cannot take it (memory).
  bool Add(std::string name, std::string data, bool stored = false);
  // Writes the archive built so far to out; false when building it or the
  // stream failed. The writer is spent afterwards.
  bool Finish(std::ostream& out);

 private:
  struct TEntry {
    std::string name;
    std::string data;
    bool stored;
  };
  std::vector<TEntry> entries;
};
