#pragma once
// What the files of a data folder give away: a copied text, in the encodings it could be
// stored in.

#include <filesystem>
#include <string_view>
#include <vector>

// The files of `folder` (and below) whose bytes hold `text` in UTF-16 or in UTF-8 (ASCII
// texts only).
std::vector<std::filesystem::path> FilesHolding(const std::filesystem::path& folder,
                                                std::u16string_view text);
