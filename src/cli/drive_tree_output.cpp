#include "drive_tree_output.hpp"

#include <string>

namespace quendrix::cli {
namespace {

void writeRecord(JsonText& json, const storage::DiskRecord& r) {
  json.field("label", r.label)
      .field("kind", r.kind)
      .field("modeName", r.modeName)
      .field("startText", r.startText)
      .field("sectorsText", r.sectorsText)
      .field("fileSystem", r.fileSystem)
      .field("driveLetter", r.driveLetter)
      .field("volumeLabel", r.volumeLabel)
      .field("sizeText", r.sizeText)
      .field("freeText", r.freeText)
      .field("serialText", r.serialText)
      .field("currentSizeMib", r.currentSizeMib)
      .field("reservedWord", r.reservedWord)
      .field("totalBytes", r.totalBytes)
      .field("diskNumber", r.diskNumber)
      .field("dynamicFlag", r.dynamicFlag)
      .field("endSector", r.endSector)
      .field("startSector", r.startSector)
      .field("numberText", r.numberText)
      .field("diskName", r.diskName)
      .field("model", r.model)
      .field("summary", r.summary)
      .field("modelCopy", r.modelCopy)
      .field("media", r.media)
      .field("bus", r.bus)
      .field("capacity", r.capacity)
      .field("cylinders", r.cylinders)
      .field("heads", r.heads)
      .field("totalSectors", r.totalSectors)
      .field("bytesPerSector", r.bytesPerSector)
      .field("sectorsPerTrack", r.sectorsPerTrack)
      .field("firmwareRevision", r.firmwareRevision)
      .field("vendor", r.vendor)
      .field("serialNumber", r.serialNumber)
      .field("systemName", r.systemName)
      .field("devicePath", r.devicePath)
      .field("sizeMib", r.sizeMib);
}

}  // namespace

void writeDriveTreeJson(JsonText& json, const storage::DriveTreeItem& item) {
  json.beginObject().field("text", item.text);
  if (item.record) {
    json.key("record").beginObject();
    writeRecord(json, *item.record);
    json.endObject();
  }
  if (item.partition) {
    const auto& p = *item.partition;
    json.key("partition")
        .beginObject()
        .field("label", p.label)
        .field("typeName", p.typeName)
        .field("number", p.number)
        .field("startSector", p.startSector)
        .field("endSector", p.endSector)
        .endObject();
  }
  json.key("children").beginArray();
  for (const auto& child : item.children) writeDriveTreeJson(json, child);
  json.endArray().endObject();
}

void printDriveTree(std::ostream& out, const storage::DriveTreeItem& item, int depth) {
  out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << item.text << '\n';
  for (const auto& child : item.children) printDriveTree(out, child, depth + 1);
}

}  // namespace quendrix::cli
