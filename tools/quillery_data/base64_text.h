#pragma once
// Bytes as base64 text (RFC 4648, with padding), how a dump carries the formats that come
// with a clip's text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string Base64FromBytes(const std::vector<std::uint8_t>& bytes);
// None when `text` is not base64 of that alphabet, padded to a multiple of 4 characters.
std::optional<std::vector<std::uint8_t>> BytesFromBase64(std::string_view text);
