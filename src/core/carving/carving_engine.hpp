#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "carving/carved_namer.hpp"
#include "storage/media_removed.hpp"
#include "carving/output_file.hpp"
#include "carving/output_names.hpp"
#include "carving/signature_list.hpp"
#include "progress_sink.hpp"
#include "storage/raw_device.hpp"
#include "storage/scan_reader.hpp"

namespace quendrix::carving {

// Photo starts at most one file per sector; Video and Signature one per matching record.
enum class CarvingVariant { Photo, FileType };

inline constexpr const char* kOutputFailureMessage =
    "Unable to continue saving recovered data.\n\nEither Destination Drive is inaccessible or "
    "there is no free space available in drive to save recovered data.";

// Reads that fail with at least this many sectors left ask what to do; nearer the end of the
// range the block is taken as zeros without asking.
inline constexpr std::uint64_t kAskOnReadFailureSectors = 0x40000;

struct FinishedFile {
  std::string_view extension;  // without the dot
  std::string_view name;
  const std::filesystem::path& path;
  PassKind pass;
  std::uint64_t startSector;  // the sector its header was found in
};

struct CarvingServices {
  storage::RawDeviceOpener* opener = nullptr;
  ProgressSink* progress = nullptr;
  storage::MediaRemovedDecision* mediaRemoved = nullptr;
  std::function<void(const FinishedFile&)> finished;  // every closed output file
  std::function<void(std::string_view)> outputError;  // the output can no longer be written
  OutputOpener openOutput = openOutputFile;
};

struct PassRequest {
  CarvingVariant variant = CarvingVariant::Photo;
  std::string devicePath;
  std::uint64_t startSector = 0;
  std::uint64_t endSector = 0;  // exclusive
  PassKind pass = PassKind::General;
  std::string modeName;              // "Video" or "Signature", for the status text
  std::filesystem::path searchRoot;  // .../Quendrix (Photo and Video)/<mode> Search
  const SignatureList* signatures = nullptr;
  CarvedNamer* namer = nullptr;
};

struct PassResult {
  bool ran = false;      // false when a Video or Signature pass had nothing to look for
  bool stopped = false;  // stop requested, cancelled, or the output failed
  bool outputFailed = false;
  std::uint64_t filesStarted = 0;
  std::uint64_t filesFinished = 0;
};

// Carves one pass over a sector range: reads 512-sector blocks, tests every sector at the
// signature offsets, and writes each found file from its header's sector until the next
// header, its maximum size (at a block end), or the end of the pass.
class CarvingEngine {
 public:
  explicit CarvingEngine(CarvingServices services);
  ~CarvingEngine();
  CarvingEngine(const CarvingEngine&) = delete;
  CarvingEngine& operator=(const CarvingEngine&) = delete;

  PassResult runPass(const PassRequest& request, std::stop_token stop);

  // Files finished over every pass this engine ran, for the progress display.
  std::uint64_t totalFinished() const { return totalFinished_; }

 private:
  struct Pending;
  struct PassState;

  bool readBlock(PassState& s, std::uint64_t current, std::span<std::byte> block);
  bool reopen(PassState& s);
  // false when the pass must end (stop, cancel or failure).
  bool searchBlock(PassState& s, std::span<const std::byte> block);
  bool startFile(PassState& s, const FileType1& record, std::span<const std::byte> block,
                 std::size_t sectorPosition, std::size_t slot);
  bool finishAtHeader(PassState& s, std::span<const std::byte> block, std::size_t position);
  bool blockEnd(PassState& s, std::span<const std::byte> block);
  void finishAll(PassState& s);
  bool append(PassState& s, Pending& file, const std::byte* data, std::size_t size);
  void close(PassState& s, Pending& file);
  void outputFailed(PassState& s);

  CarvingServices services_;
  std::vector<std::byte> block_;
  std::vector<Pending> pending_;
  bool retryAlways_ = false;
  std::uint64_t totalFinished_ = 0;
};

}  // namespace quendrix::carving
