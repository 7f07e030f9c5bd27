#include "carving/carving_engine.hpp"

#include <algorithm>
#include <cstring>
#include <optional>

#include "carving/signature_index.hpp"
#include "storage/sector.hpp"

namespace quendrix::carving {
namespace {

constexpr std::uint64_t kBlockSectors = storage::kDefaultBlockSectors;
constexpr std::size_t kBlockBytes = storage::kDefaultBlockBytes;
constexpr std::size_t kSector = storage::kSectorSize;

// A folder that denies every name would otherwise be tried for ever.
constexpr int kMaxDeniedNames = 100000;

std::string passStatus(const PassRequest& r) {
  const bool general = r.pass == PassKind::General;
  if (r.variant == CarvingVariant::Photo) {
    return general ? "(Currently performing Search based on:  General Recovery Procedure)"
                   : "(Currently performing Search based on:  Thorough Scanning Algorithm)";
  }
  return general ? "(Searching files based on:  General " + r.modeName + " Recovery Procedure)"
                 : "(Searching files based on:  Thorough " + r.modeName + " Scanning Algorithm)";
}

}  // namespace

struct CarvingEngine::Pending {
  std::string extension;  // bare
  std::uint64_t maxSize = 0;
  std::size_t slot = 0;
  std::string name;
  std::filesystem::path path;
  std::size_t start = 0;  // byte position in the current block of the next bytes to write
  std::uint64_t startSector = 0;
  std::uint64_t size = 0;
  std::FILE* file = nullptr;
};

struct CarvingEngine::PassState {
  const PassRequest& request;
  std::stop_token stop;
  SignatureIndex index;
  std::filesystem::path passRoot;
  std::unique_ptr<storage::ScanReader> reader;
  bool pendingFlag = false;       // a file was started in this pass and may be pending
  bool abort = false;             // cancelled or output failure: ends the pass and the search
  std::uint64_t blockSector = 0;  // first sector of the block being searched
  PassResult result;

  bool stopped() const { return abort || stop.stop_requested(); }
};

CarvingEngine::CarvingEngine(CarvingServices services)
    : services_(std::move(services)), block_(kBlockBytes) {
  pending_.reserve(32);
}

CarvingEngine::~CarvingEngine() {
  for (auto& p : pending_) {
    if (p.file != nullptr) std::fclose(p.file);
  }
}

PassResult CarvingEngine::runPass(const PassRequest& request, std::stop_token stop) {
  PassState s{request, stop, SignatureIndex(*request.signatures), {}, {}, false, false, 0, {}};
  s.passRoot = request.searchRoot / passFolderName(request.pass);
  std::error_code ec;
  std::filesystem::create_directories(s.passRoot, ec);
  ProgressSink& progress = *services_.progress;
  progress.status(passStatus(request));

  if (request.variant == CarvingVariant::FileType && request.signatures->empty()) return s.result;
  s.result.ran = true;
  request.namer->beginPass(request.pass);
  pending_.clear();

  try {
    s.reader = storage::ScanReader::open(*services_.opener, request.devicePath);
    if (!s.reader) {
      const auto choice =
          retryAlways_ ? storage::MediaRemovedChoice::RetryAlways : services_.mediaRemoved->decide();
      if (choice == storage::MediaRemovedChoice::Cancel) {
        s.abort = true;
      } else if (choice != storage::MediaRemovedChoice::Dismissed) {
        retryAlways_ = retryAlways_ || choice == storage::MediaRemovedChoice::RetryAlways;
        reopen(s);
      }
    }

    const std::uint64_t start = request.startSector;
    const std::uint64_t end = request.endSector;
    for (std::uint64_t current = start; current < end && !s.stopped(); current += kBlockSectors) {
      const std::uint64_t sectors = std::min<std::uint64_t>(kBlockSectors, end - current);
      auto block = std::span<std::byte>(block_).first(static_cast<std::size_t>(sectors) * kSector);
      s.blockSector = current;
      if (!readBlock(s, current, block)) break;
      if (!searchBlock(s, block)) break;
      if (!blockEnd(s, block)) break;
      progress.progress(current + sectors - start, end - start, totalFinished_);
      if (end - current <= kBlockSectors) break;  // no step past the top of the number range
    }
    finishAll(s);
  } catch (...) {
    for (auto& p : pending_) {
      if (p.file != nullptr) std::fclose(p.file);
    }
    pending_.clear();
    throw;
  }
  s.result.stopped = s.stopped();
  return s.result;
}

bool CarvingEngine::reopen(PassState& s) {
  s.reader = storage::ScanReader::open(*services_.opener, s.request.devicePath);
  return s.reader != nullptr;
}

bool CarvingEngine::readBlock(PassState& s, std::uint64_t current, std::span<std::byte> block) {
  std::optional<std::size_t> got;
  if (s.reader) got = s.reader->read(current, block);
  if (got) return true;

  std::fill(block.begin(), block.end(), std::byte{0});
  // Near the end of the range the block is searched as zeros without asking; the carved
  // files keep their length, so what follows stays at its true place.
  if (s.reader && s.request.endSector - current < kAskOnReadFailureSectors) return true;

  const auto choice =
      retryAlways_ ? storage::MediaRemovedChoice::RetryAlways : services_.mediaRemoved->decide();
  switch (choice) {
    case storage::MediaRemovedChoice::Cancel:
      s.abort = true;
      finishAll(s);
      return false;
    case storage::MediaRemovedChoice::Dismissed:
      return true;
    case storage::MediaRemovedChoice::RetryAlways:
      retryAlways_ = true;
      [[fallthrough]];
    case storage::MediaRemovedChoice::Retry:
      if (reopen(s) && !s.reader->read(current, block)) {
        std::fill(block.begin(), block.end(), std::byte{0});
      }
      return true;
  }
  return true;
}

bool CarvingEngine::searchBlock(PassState& s, std::span<const std::byte> block) {
  const bool photo = s.request.variant == CarvingVariant::Photo;
  const auto& offsets = s.index.offsets();
  const std::size_t sectors = block.size() / kSector;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(block.data());
  for (std::size_t sector = 0; sector < sectors; ++sector) {
    if (s.stopped()) {
      finishAll(s);
      return false;
    }
    const std::size_t base = sector * kSector;
    std::size_t startedHere = 0;
    for (const auto& offset : offsets) {
      if (!photo && s.stopped()) {
        finishAll(s);
        return false;
      }
      const std::size_t q = base + offset.position;
      if (q >= block.size()) continue;
      bool matched = false;
      for (const FileType1* record : s.index.candidates(offset, bytes[q])) {
        if (!SignatureIndex::matches(*record, block, q)) continue;
        if (!startFile(s, *record, block, base, startedHere)) return false;
        ++startedHere;
        if (photo) {
          matched = true;
          break;
        }
      }
      if (matched) break;
    }
    if (s.result.filesStarted > 0) s.pendingFlag = true;
  }
  return true;
}

bool CarvingEngine::startFile(PassState& s, const FileType1& record,
                              std::span<const std::byte> block, std::size_t sectorPosition,
                              std::size_t slot) {
  if (s.pendingFlag) {
    if (!finishAtHeader(s, block, sectorPosition)) return false;
    s.pendingFlag = false;
  }
  CarvedNamer& namer = *s.request.namer;
  auto choice = namer.prepare(record, s.passRoot);
  std::error_code ec;
  std::filesystem::create_directories(choice.folder, ec);
  std::filesystem::path path = choice.folder / choice.name;
  std::FILE* file = nullptr;
  for (int denied = 0;; ++denied) {
    const bool inTheWay = std::filesystem::exists(std::filesystem::symlink_status(path, ec));
    if (inTheWay && s.request.variant == CarvingVariant::Photo) {
      std::filesystem::remove(path, ec);
    }
    int error = 0;
    file = services_.openOutput(path, error);
    if (file != nullptr) break;
    // Access denied by a file in the way: take the next number. Denied where nothing was in
    // the way means the folder itself refuses, which no other name would change.
    if (!isAccessDenied(error) || !inTheWay || denied >= kMaxDeniedNames) {
      outputFailed(s);
      finishAll(s);
      return false;
    }
    choice.name = namer.nextName();
    path = choice.folder / choice.name;
  }
  namer.opened();
  Pending p;
  const std::string_view ext(record.extension);
  p.extension = std::string(ext.substr(ext.empty() ? 0 : 1));
  if (s.request.variant == CarvingVariant::FileType) p.extension = upperAscii(p.extension);
  p.maxSize = record.maxSize();
  p.slot = slot;
  p.name = std::move(choice.name);
  p.path = std::move(path);
  p.start = sectorPosition;
  p.startSector = s.blockSector + sectorPosition / kSector;
  p.file = file;
  pending_.push_back(std::move(p));
  ++s.result.filesStarted;
  return true;
}

bool CarvingEngine::finishAtHeader(PassState& s, std::span<const std::byte> block,
                                   std::size_t position) {
  bool ok = true;
  for (auto& p : pending_) {
    if (ok && position > p.start) {
      ok = append(s, p, block.data() + p.start, position - p.start);
    }
    close(s, p);
  }
  pending_.clear();
  if (!ok) outputFailed(s);
  return !s.abort;
}

bool CarvingEngine::blockEnd(PassState& s, std::span<const std::byte> block) {
  bool ok = true;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    Pending& p = pending_[i];
    std::uint64_t chunk = block.size() - std::min(p.start, block.size());
    chunk = std::min(chunk, p.maxSize);
    p.size += chunk;
    if (ok && p.size <= p.maxSize) {
      ok = append(s, p, block.data() + p.start, static_cast<std::size_t>(chunk));
      p.start = 0;
      if (ok) {
        if (kept != i) pending_[kept] = std::move(p);
        ++kept;
        continue;
      }
    }
    close(s, p);
  }
  pending_.resize(kept);
  if (!ok) outputFailed(s);
  if (s.abort) {
    finishAll(s);
    return false;
  }
  return true;
}

void CarvingEngine::finishAll(PassState& s) {
  for (auto& p : pending_) close(s, p);
  pending_.clear();
}

bool CarvingEngine::append(PassState&, Pending& file, const std::byte* data, std::size_t size) {
  if (size == 0) return true;
  return std::fwrite(data, 1, size, file.file) == size;
}

void CarvingEngine::close(PassState& s, Pending& p) {
  if (p.file == nullptr) return;
  const bool closed = std::fclose(p.file) == 0;
  p.file = nullptr;
  if (!closed && !s.abort) outputFailed(s);
  ++s.result.filesFinished;
  ++totalFinished_;
  if (services_.finished)
    services_.finished({p.extension, p.name, p.path, s.request.pass, p.startSector});
}

void CarvingEngine::outputFailed(PassState& s) {
  if (s.abort && s.result.outputFailed) return;
  s.abort = true;
  s.result.outputFailed = true;
  if (services_.outputError) services_.outputError(kOutputFailureMessage);
}

}  // namespace quendrix::carving
