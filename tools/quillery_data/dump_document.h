#pragma once
// The dump: a loaded store as a JSON document that a person can read and `build` can turn
// back into the same data file.
//
//   {"format": "current" | "legacy", "lastCategoryId": N,
//    "items": [{"kind": "text", "categoryId": N, "created": X, "hotKey": N, "text": "..."},
//              {"kind": "picture", "categoryId": N, "created": X, "hotKey": N, "width": N,
//               "height": N, "bitsPerPixel": N, "file": "DIR/1.bmp"}, ...],
//    "categories": [{"id": N, "parentId": N, "iconIndex": N, "reserved": N, "name": "..."}],
//    "damaged": null | {"offset": N, "reason": "..."}}
//
// Items in store order, head first. `created` is written with the digits that read back
// as the same double; the rare value that JSON has no number for is the string "NaN",
// "Infinity" or "-Infinity".

#include <filesystem>
#include <optional>
#include <string>

#include "store/database.h"
#include "store/load_report.h"

// The document for `store` as loaded with `report`, ending with a newline. With
// `picturesFolder` (created when missing), each picture is also written there as
// "<position in items>.bmp" and named in its item's "file". Throws CFileError when the
// folder or a picture cannot be written.
std::string DumpDocument(const CDataBase& store, const CLoadReport& report,
                         const std::optional<std::filesystem::path>& picturesFolder);
