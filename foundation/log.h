#pragma once
// The log: one HTML fragment per line, coloured by level, written to an attached stream.
// The program attaches none, so every call returns at once; tests attach a string stream.
//
//   <font color="#ff0000"><b>text</b></font><br>
//
// The text is written as it is, without escaping and without a line break.

#include <cstdint>
#include <ostream>
#include <string_view>

inline constexpr std::uint8_t kLogInformation = 1;
inline constexpr std::uint8_t kLogError = 3;

// Makes `stream` the log's output, or detaches it with null. The stream is borrowed: it must
// outlive its attachment.
void LogAttach(std::ostream* stream);

// Writes one line at `level`: 0 grey, 1 dark grey (information), 2 yellow, 3 red (error),
// any other level white. Nothing without a stream.
void LogWrite(std::uint8_t level, std::string_view text);
void LogInfo(std::string_view text);
void LogError(std::string_view text);
