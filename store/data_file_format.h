#pragma once
// The data file, data.dat. All numbers little-endian; texts UTF-16 code units after their
// length in units, without terminator; no count, end marker, padding or checksum.
//
// Current format: an 8-byte header, int32 marker 100 and int32 lastCategoryId, then records
// that each begin with an int32 kind and an int32 size: all clips (tail of the list first,
// so that reading them back to the head restores the order), then all categories.
//   text      kind 1:      size 2n+16, int32 categoryId, double created, uint16 hotKey,
//                          int32 n, n units of text
//   picture   kind 2:      size 0, int32 categoryId, double created, uint16 hotKey,
//                          a BMP file image
//   category  kind 100000: size 2n+16, int32 id, int32 parentId, int32 iconIndex,
//                          int32 reserved, int32 n, n units of name
// Readers of these kinds ignore the size; it only lets a reader skip kinds it does not know.
//
// Records added later: their size is exactly the number of bytes after the size field, so
// that a reader that does not know them skips them and still reads every text and picture.
//   file list kind 3:      int32 categoryId, double created, uint16 hotKey, uint32
//                          dropEffect (the "Preferred DropEffect" given with the files, 0
//                          for none), int32 count, then count paths: int32 n, n units
//   formats   kind 4:      right after a text record, the formatted forms of its text:
//                          int32 count, then count formats: int32 n, n units of the
//                          registered format's name ("HTML Format", "Rich Text Format"),
//                          int32 m, m bytes as the clipboard held them
//   alpha     kind 5:      right after a picture record: uint32 flags, of which bit 0 says
//                          that the fourth byte of each pixel of the 32-bit picture is its
//                          opacity (not premultiplied); the picture record is unchanged
//   PNG picture kind 6:    int32 categoryId, double created, uint16 hotKey, then to the
//                          end of the record a PNG image of the picture (its alpha, when
//                          it has one, in the image, so no alpha record follows it). Every
//                          picture is written so (kind 2 only when the codec fails to
//                          encode it); kind 2 is still read. A reader older
//                          than this record skips it: the picture is missing there.
// A formats or alpha record that follows no record of its clip's kind is skipped. An alpha
// record after a PNG picture record is read as after a BMP one.
// A picture record of kind 6 whose image cannot be read, or is beyond the limits of a
// picture, loses its clip but not the records after it: the load reports the damage and
// goes on with the next record.
//
// Legacy format (no header; a first int32 below 100 as unsigned): text clips only, each
// int32 notes flag (0 = history), double created, int32 n, n units of text.

#include <cstdint>

inline constexpr std::int32_t kDataFileMarker = 100;
inline constexpr std::int32_t kTextRecord = 1;
inline constexpr std::int32_t kPictureRecord = 2;
inline constexpr std::int32_t kFileListRecord = 3;
inline constexpr std::int32_t kFormatsRecord = 4;
inline constexpr std::int32_t kAlphaRecord = 5;
inline constexpr std::int32_t kPngPictureRecord = 6;
inline constexpr std::int32_t kCategoryRecord = 100000;

inline constexpr std::uint32_t kAlphaFlag = 1;
