#pragma once

#include <ostream>

#include "json_text.hpp"
#include "storage/drive_list.hpp"

namespace quendrix::cli {

// The tree as indented text, two blanks per level.
void printDriveTree(std::ostream& out, const storage::DriveTreeItem& item, int depth = 0);

// One item with its record or partition entry and its children, as a JSON object.
void writeDriveTreeJson(JsonText& json, const storage::DriveTreeItem& item);

}  // namespace quendrix::cli
