#pragma once
// Data files as the program writes and reads them, through the store's own code.

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "store/database.h"
#include "tests/support/clip_texts.h"

// The store read from the data file, or null when there is no file; one encrypted for this
// Windows account is opened with its key. Throws CFileError when it exists but cannot be
// read (or is locked).
std::unique_ptr<CDataBase> LoadDataFile(const std::filesystem::path& path);

// Writes a data file with text clips, head first, each with its category; encrypted with
// `key` when there is one.
void WriteTextClips(const std::filesystem::path& path,
                    const std::vector<std::pair<std::u16string, int>>& clips,
                    const CStoreKey* key = nullptr);
