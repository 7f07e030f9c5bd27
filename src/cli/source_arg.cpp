#include "source_arg.hpp"

#include "disk_paths.hpp"
#include "storage/sector.hpp"
#include "storage/source_spec.hpp"

namespace quendrix::cli {

storage::DevicePathTable platformDiskTable() {
  return storage::DevicePathTable(platform::listDiskPaths(), {});
}

std::optional<ResolvedSource> resolveSource(CliContext& ctx, const std::string& text) {
  auto named = storage::parseSourceSpec(text);
  if (!named) {
    fail(ctx, kExitUsage, "invalid source '" + text + "' (use an image file, a device or disk:N)");
    return std::nullopt;
  }
  auto path = storage::resolveSourcePath(*named, platformDiskTable());
  if (!path) {
    fail(ctx, kExitFailure, "no disk number " + text.substr(5) + " on this machine");
    return std::nullopt;
  }
  auto device = ctx.opener.open(*path);
  if (!device) {
    fail(ctx, kExitFailure, "cannot open " + *path + " for reading");
    return std::nullopt;
  }
  const auto bytes = device->sizeBytes().value_or(0);
  return ResolvedSource{*path, storage::byteToSector(bytes)};
}

}  // namespace quendrix::cli
