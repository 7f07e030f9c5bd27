#include <cstdio>
#include <ostream>
#include <vector>

#include "commands.hpp"
#include "source_arg.hpp"
#include "storage/read_sectors.hpp"

namespace quendrix::cli {
namespace {

void hexDump(std::ostream& out, std::uint64_t baseOffset, const std::vector<std::byte>& data) {
  char line[100];
  for (std::size_t row = 0; row < data.size(); row += 16) {
    int n = std::snprintf(line, sizeof line, "%012llx ",
                          static_cast<unsigned long long>(baseOffset + row));
    std::string ascii;
    for (std::size_t i = 0; i < 16; ++i) {
      const auto b = std::to_integer<unsigned>(data[row + i]);
      n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%s%02x",
                         i == 8 ? "  " : " ", b);
      ascii += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
    }
    out << line << "  |" << ascii << "|\n";
  }
}

}  // namespace

void addReadCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("read", "Hex-dump sectors of a disk, partition or image");
  auto source = std::make_shared<std::string>();
  auto sector = std::make_shared<std::uint64_t>(0);
  auto count = std::make_shared<std::uint32_t>(1);
  cmd->add_option("SOURCE", *source, "Image file, block device or disk:N")->required();
  cmd->add_option("--sector", *sector, "First sector")->required();
  cmd->add_option("--count", *count, "Number of sectors")->check(CLI::Range(1u, 65536u));
  cmd->callback([&ctx, source, sector, count] {
    auto resolved = resolveSource(ctx, *source);
    if (!resolved) return;
    std::vector<std::byte> buffer(static_cast<std::size_t>(*count) * storage::kSectorSize);
    if (!storage::ReadSectors(ctx.opener, *count, resolved->path, *sector, buffer)) {
      fail(ctx, kExitFailure, "cannot read sector " + std::to_string(*sector));
      return;
    }
    hexDump(*ctx.out, storage::sectorToByte(*sector), buffer);
    ctx.exitCode = kExitOk;
  });
}

}  // namespace quendrix::cli
