#include "model/exchange/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <ostream>

namespace {

// Pieces small enough that a lying header costs nothing, large enough that
// reading a worksheet is not slowed by them.
constexpr std::size_t kReadPiece = std::size_t{1} << 16;
// The fastest deflate: the XML of a large table compresses well at any
// level, and the higher ones cost seconds.
constexpr std::uint32_t kDeflateLevel = 1;

struct TZipSourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};

}  // namespace

void TZipReader::TClose::operator()(zip* archive) const { zip_discard(archive); }

TZipReader::TZipReader() = default;
TZipReader::TZipReader(const TZipLimits& limits) : limits(limits) {}
TZipReader::~TZipReader() = default;

bool TZipReader::Open(std::string_view data, TFileFailure& failure) {
  archive.reset();
  totalRead = 0;
  // libzip takes no bytes at all for an empty archive; no file is one.
  if (data.empty()) {
    failure = TFileFailure::NotTable;
    return false;
  }
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, TZipSourceFree> source(zip_source_buffer_create(data.data(), data.size(), 0, &error));
  if (!source) {
    zip_error_fini(&error);
    failure = TFileFailure::NoMemory;
    return false;
  }
  zip_t* opened = zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (opened == nullptr) {
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    // A truncated archive has lost its directory at the end and looks like
    // none at all; its first entry's signature still tells it apart.
    const bool looksZip = data.substr(0, 4) == std::string_view("PK\x03\x04", 4);
    const bool noZip = code == ZIP_ER_NOZIP || data.substr(0, 2) != "PK";
    failure = noZip && !looksZip ? TFileFailure::NotTable
              : code == ZIP_ER_MEMORY ? TFileFailure::NoMemory
                                      : TFileFailure::Damaged;
    return false;
  }
  source.release();  // the archive owns it now
  zip_error_fini(&error);
  archive.reset(opened);
  return true;
}

std::vector<std::string> TZipReader::Names() const {
  std::vector<std::string> names;
  if (!archive) return names;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (name != nullptr) names.emplace_back(name);
  }
  return names;
}

bool TZipReader::Has(std::string_view name) const {
  return archive && zip_name_locate(archive.get(), std::string(name).c_str(), ZIP_FL_ENC_RAW) >= 0;
}

void TZipReader::TZipFileClose::operator()(zip_file_t* file) const { zip_fclose(file); }

std::unique_ptr<zip_file_t, TZipReader::TZipFileClose> TZipReader::OpenEntry(std::string_view name,
                                                                             std::uint64_t& allowed,
                                                                             std::uint64_t& declared,
                                                                             TFileFailure& failure) {
  const zip_int64_t index = archive ? zip_name_locate(archive.get(), std::string(name).c_str(), ZIP_FL_ENC_RAW) : -1;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (index < 0 || zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
    failure = TFileFailure::Damaged;
    return nullptr;
  }
  allowed = std::min(limits.entryBytes, limits.totalBytes - std::min(totalRead, limits.totalBytes));
  declared = 0;
  if ((stat.valid & ZIP_STAT_SIZE) != 0) {
    if (stat.size > allowed) {
      failure = TFileFailure::TooLarge;
      return nullptr;
    }
    // The declared size only as a hint, never beyond what the compressed
    // bytes could hold at deflate's best ratio (about 1032 to 1).
    declared = stat.size;
    if ((stat.valid & ZIP_STAT_COMP_SIZE) != 0) declared = std::min(declared, stat.comp_size * 1032 + kReadPiece);
  }
  std::unique_ptr<zip_file_t, TZipFileClose> file(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file) failure = TFileFailure::Damaged;
  return file;
}

bool TZipReader::ReadPieces(std::string_view name, const std::function<bool(std::string_view)>& take,
                            TFileFailure& failure) {
  std::uint64_t allowed = 0;
  std::uint64_t declared = 0;
  const std::unique_ptr<zip_file_t, TZipFileClose> file = OpenEntry(name, allowed, declared, failure);
  if (!file) return false;
  try {
    std::string piece(kReadPiece, '\0');
    std::uint64_t done = 0;
    for (;;) {
      const zip_int64_t got = zip_fread(file.get(), piece.data(), piece.size());
      if (got < 0) {
        failure = TFileFailure::Damaged;
        return false;
      }
      if (got == 0) break;
      done += static_cast<std::uint64_t>(got);
      if (done > allowed) {
        failure = TFileFailure::TooLarge;
        return false;
      }
      if (!take(std::string_view(piece.data(), static_cast<std::size_t>(got)))) return false;
    }
    totalRead += done;
  } catch (const std::bad_alloc&) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  return true;
}

bool TZipReader::Read(std::string_view name, std::string& out, TFileFailure& failure) {
  out.clear();
  try {
    std::uint64_t allowed = 0;
    std::uint64_t declared = 0;
    {
      // The size first, to hold the entry in one block.
      if (!OpenEntry(name, allowed, declared, failure)) return false;
    }
    out.reserve(static_cast<std::size_t>(declared));
    return ReadPieces(name, [&](std::string_view piece) {
      out += piece;
      return true;
    }, failure);
  } catch (const std::bad_alloc&) {
    out = std::string();
    failure = TFileFailure::NoMemory;
    return false;
  }
}

TZipWriter::TZipWriter() = default;
TZipWriter::~TZipWriter() = default;

bool TZipWriter::Add(std::string name, std::string data, bool stored) {
  try {
    entries.push_back({std::move(name), std::move(data), stored});
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool TZipWriter::Finish(std::ostream& out) {
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, TZipSourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
  zip_t* built = buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error) : nullptr;
  zip_error_fini(&error);
  if (built == nullptr) return false;
  // The archive now holds a reference of its own; ours outlives its closing
  // to read the bytes back.
  zip_source_keep(buffer.get());
  bool ok = true;
  for (const TEntry& entry : entries) {
    zip_source_t* source = zip_source_buffer(built, entry.data.data(), entry.data.size(), 0);
    const zip_int64_t index =
        source != nullptr ? zip_file_add(built, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      zip_source_free(source);
      ok = false;
      break;
    }
    const zip_uint64_t at = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(built, at, entry.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 entry.stored ? 0 : kDeflateLevel) != 0) {
      ok = false;
      break;
    }
  }
  if (!ok || zip_close(built) != 0) {
    zip_discard(built);
    entries.clear();
    return false;
  }
  entries.clear();
  if (zip_source_open(buffer.get()) != 0) return false;
  std::string piece(kReadPiece, '\0');
  for (;;) {
    const zip_int64_t got = zip_source_read(buffer.get(), piece.data(), piece.size());
    if (got < 0) ok = false;
    if (got <= 0) break;
    out.write(piece.data(), static_cast<std::streamsize>(got));
  }
  zip_source_close(buffer.get());
  return ok && static_cast<bool>(out);
}
