#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "carving/extension_table.hpp"
#include "carving/output_names.hpp"
#include "carving/signature_record.hpp"

namespace quendrix::carving {

// Chooses the folder and name of every carved file and keeps the counters behind them.
class CarvedNamer {
 public:
  struct Choice {
    std::filesystem::path folder;  // the extension folder, under the pass folder
    std::string name;
  };

  virtual ~CarvedNamer() = default;
  // Called as a pass begins.
  virtual void beginPass(PassKind pass) = 0;
  // The folder and first name for a new file of the record.
  virtual Choice prepare(const FileType1& record, const std::filesystem::path& passRoot) = 0;
  // After the last name was refused with access denied: the next number's name, same folder.
  virtual std::string nextName() = 0;
  // The last name was opened.
  virtual void opened() {}
};

// Advances the row's folder for one more file: returns the name suffix for it ("_001" ...).
std::string_view takeFolderPlace(ExtensionRow& row, std::uint64_t filesPerFolder);

// Photo: "GNDR" or "THDR", one number per pass over all types, the case of the signature file.
class PhotoNamer final : public CarvedNamer {
 public:
  explicit PhotoNamer(ExtensionTable& table, std::uint64_t filesPerFolder = kFilesPerFolder)
      : table_(table), filesPerFolder_(filesPerFolder) {}

  void beginPass(PassKind pass) override;
  Choice prepare(const FileType1& record, const std::filesystem::path& passRoot) override;
  std::string nextName() override;

  std::uint64_t filesStarted() const { return counter_; }

 private:
  ExtensionTable& table_;
  std::uint64_t filesPerFolder_;
  const char* prefix_ = "GNDR";
  std::uint64_t counter_ = 0;
  std::string suffix_;
  std::string extension_;
};

// Video and Signature: the upper-case extension as prefix and the row's own number, which
// keeps counting through both passes.
class FileTypeNamer final : public CarvedNamer {
 public:
  explicit FileTypeNamer(ExtensionTable& rows, std::uint64_t filesPerFolder = kFilesPerFolder)
      : rows_(rows), filesPerFolder_(filesPerFolder) {}

  void beginPass(PassKind pass) override;
  Choice prepare(const FileType1& record, const std::filesystem::path& passRoot) override;
  std::string nextName() override;
  void opened() override;

 private:
  ExtensionTable& rows_;
  std::uint64_t filesPerFolder_;
  std::string extension_;
  std::string suffix_;
  std::uint64_t number_ = 0;
};

}  // namespace quendrix::carving
