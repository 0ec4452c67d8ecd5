#pragma once
// Reading a document of the dump's shape (dump_document.h) back into a store, for `build`.
//
// Required: "kind", "categoryId" and "text" or "file" of each item, "id" and "name" of each
// category. Optional: "lastCategoryId" (1000), "items" and "categories" (none), "created"
// (0), "hotKey", "parentId", "iconIndex" and "reserved" (0). A picture's "width", "height"
// and "bitsPerPixel" are checked against its file when present. Other members, "format"
// and "damaged" among them, are ignored.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "store/database.h"

// A document that cannot be used: not JSON, not of the dump's shape, or naming a picture
// file that cannot be read. what() names the place ("items[2].hotKey") and the fault.
class CDocumentError : public std::runtime_error {
 public:
  explicit CDocumentError(const std::string& what) : std::runtime_error(what) {}
};

// Appends the document's items (in document order) and categories to `store`, which
// should be empty, and sets its category counter. Relative picture files are taken from
// `baseFolder`. Throws CDocumentError; `store` may then hold part of the document.
void BuildStore(std::string_view json, const std::filesystem::path& baseFolder, CDataBase& store);
