// The model's code pages: Windows-1252 (ANSI), 437 (OEM) and UTF-8, converted with the
// argument checks, size queries and replacement rules of the system's functions.
//
// Not modelled: best-fit mappings (Windows turns U+0101 into 'a' in 1252; the model gives
// the default char, as Windows does with WC_NO_BEST_FIT_CHARS), the glyphs of
// MB_USEGLYPHCHARS, and other code pages. Flags that would change the result are refused
// with ERROR_INVALID_FLAGS, so that code depending on them is noticed natively.
//
// Where Wine is laxer than Windows' documented contract (flags for UTF-8, a
// usedDefaultChar for UTF-8, the same buffer for input and output), the model keeps the
// contract: such calls fail on Windows.

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "platform/sim/sim_windows.h"

namespace {

constexpr UINT kAnsiCodePage = 1252;
constexpr UINT kOemCodePage = 437;

constexpr char16_t kReplacement = 0xFFFD;

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five bytes it leaves undefined
// map to the C1 controls of the same value, as on Windows.
constexpr std::array<char16_t, 32> k1252Specials = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

// Code page 437, bytes 0x80-0xFF. Its glyphs for 0x01-0x1F and 0x7F are only used with
// MB_USEGLYPHCHARS; by default the lower half is ASCII.
constexpr std::array<char16_t, 128> k437Upper = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

struct Reverse {
  char16_t unit;
  unsigned char byte;
};

// A single-byte code page whose lower half is ASCII. The reverse table is sorted by UTF-16
// unit at compile time, so encoding is a binary search without allocation.
struct SingleBytePage {
  std::array<char16_t, 128> upper;
  std::array<Reverse, 128> reverse;

  constexpr explicit SingleBytePage(const std::array<char16_t, 128>& upperHalf)
      : upper(upperHalf), reverse() {
    for (std::size_t i = 0; i < upper.size(); ++i)
      reverse[i] = Reverse{upper[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(reverse.begin(), reverse.end(),
              [](const Reverse& a, const Reverse& b) { return a.unit < b.unit; });
  }

  char16_t Decode(unsigned char byte) const { return byte < 0x80 ? byte : upper[byte - 0x80]; }

  // False when the page has no byte for the unit.
  bool Encode(char16_t unit, char* byte) const {
    if (unit < 0x80) {
      *byte = static_cast<char>(unit);
      return true;
    }
    auto found = std::lower_bound(reverse.begin(), reverse.end(), unit,
                                  [](const Reverse& r, char16_t u) { return r.unit < u; });
    if (found == reverse.end() || found->unit != unit) return false;
    *byte = static_cast<char>(found->byte);
    return true;
  }
};

constexpr std::array<char16_t, 128> Upper1252() {
  std::array<char16_t, 128> upper{};
  for (std::size_t i = 0; i < upper.size(); ++i)
    upper[i] = i < k1252Specials.size() ? k1252Specials[i] : static_cast<char16_t>(0x80 + i);
  return upper;
}

constexpr SingleBytePage kPage1252(Upper1252());
constexpr SingleBytePage kPage437(k437Upper);

enum class PageKind { kUnknown, kSingleByte, kUtf8 };

struct Page {
  PageKind kind;
  const SingleBytePage* table;
};

Page FindPage(UINT codePage) {
  if (codePage == CP_ACP) codePage = kAnsiCodePage;
  if (codePage == CP_OEMCP) codePage = kOemCodePage;
  switch (codePage) {
    case kAnsiCodePage:
      return {PageKind::kSingleByte, &kPage1252};
    case kOemCodePage:
      return {PageKind::kSingleByte, &kPage437};
    case CP_UTF8:
      return {PageKind::kUtf8, nullptr};
    default:
      return {PageKind::kUnknown, nullptr};
  }
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Counts what a conversion produces and stores it while it fits. A size of 0 only counts.
// Like the system, a too-small buffer keeps the whole characters that fitted.
template <typename Unit>
class Output {
 public:
  Output(Unit* buffer, int size) : buffer_(buffer), size_(size) {}

  // Appends all n units of one character, or none of them if they do not fit.
  bool Put(const Unit* units, int n) {
    if (n > INT_MAX - count_) {  // a size query whose answer would not fit an int
      full_ = true;
      return false;
    }
    if (size_ != 0) {
      if (n > size_ - count_) {
        full_ = true;
        return false;
      }
      std::copy(units, units + n, buffer_ + count_);
    }
    count_ += n;
    return true;
  }
  bool Put(Unit unit) { return Put(&unit, 1); }

  // Treats the last failed Put as success (see Utf8ToWide).
  void ClearOverflow() { full_ = false; }

  bool Overflowed() const { return full_; }

  int Finish() const { return full_ ? Fail(ERROR_INSUFFICIENT_BUFFER) : count_; }

 private:
  Unit* buffer_;
  int size_;
  int count_ = 0;
  bool full_ = false;
};

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Decodes one UTF-8 sequence starting at text[0] (a byte >= 0x80). Returns the code point,
// or -1 for an invalid sequence, which becomes one U+FFFD; *used is the number of bytes
// consumed. Which bytes an invalid sequence swallows follows the system: a lead byte takes
// the continuation byte after it even when the pair is out of range (overlong, surrogate,
// beyond U+10FFFF), and a sequence cut short by the end of the input takes all that is left.
long DecodeUtf8(const unsigned char* text, int length, int* used) {
  const unsigned char lead = text[0];
  int trail = 0;
  long point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trail = 1;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trail = 2;
    point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trail = 3;
    point = lead & 0x07;
  } else {
    *used = 1;
    return -1;
  }
  if (trail >= length) {
    *used = length;
    return -1;
  }
  for (int i = 1; i <= trail; ++i) {
    if (text[i] < 0x80 || text[i] > 0xBF) {
      *used = i;
      return -1;
    }
    point = (point << 6) | (text[i] & 0x3F);
    if (i == 1) {
      const unsigned char next = text[1];
      const bool outOfRange = (lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F) ||
                              (lead == 0xF0 && next < 0x90) || (lead == 0xF4 && next > 0x8F);
      if (outOfRange) {
        *used = 2;
        return -1;
      }
    }
  }
  *used = trail + 1;
  return point;
}

int Utf8ToWide(DWORD flags, const unsigned char* text, int length, WCHAR* wide, int wideSize) {
  Output<WCHAR> out(wide, wideSize);
  bool invalid = false;
  for (int i = 0; i < length;) {
    if (text[i] < 0x80) {
      if (!out.Put(text[i++])) break;
      continue;
    }
    int used = 0;
    long point = DecodeUtf8(text + i, length - i, &used);
    i += used;
    if (point < 0) {
      invalid = true;
      if (!out.Put(kReplacement)) break;
    } else if (point > 0xFFFF) {
      point -= 0x10000;
      if (!out.Put(static_cast<WCHAR>(0xD800 + (point >> 10)))) break;
      // The system stores the high surrogate alone when only it fits, and reports success
      // if that character ended the input.
      if (!out.Put(static_cast<WCHAR>(0xDC00 + (point & 0x3FF)))) {
        if (i == length) out.ClearOverflow();
        break;
      }
    } else {
      if (!out.Put(static_cast<WCHAR>(point))) break;
    }
  }
  // A too-small buffer is reported before an invalid character.
  if (invalid && !out.Overflowed() && (flags & MB_ERR_INVALID_CHARS))
    return Fail(ERROR_NO_UNICODE_TRANSLATION);
  return out.Finish();
}

// Writes the UTF-8 form of a code point to bytes; returns its length.
int EncodeUtf8(unsigned long point, char* bytes) {
  if (point < 0x80) {
    bytes[0] = static_cast<char>(point);
    return 1;
  }
  int n = point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (int i = n - 1; i > 0; --i, point >>= 6) bytes[i] = static_cast<char>(0x80 | (point & 0x3F));
  bytes[0] = static_cast<char>(kLeadMarks[n] | point);
  return n;
}

int WideToUtf8(DWORD flags, const WCHAR* wide, int length, char* narrow, int narrowSize) {
  Output<char> out(narrow, narrowSize);
  bool invalid = false;
  for (int i = 0; i < length;) {
    const char16_t unit = wide[i++];
    unsigned long point = unit;
    if (IsHighSurrogate(unit) && i < length && IsLowSurrogate(wide[i])) {
      point = 0x10000 + ((point - 0xD800) << 10) + (wide[i++] - 0xDC00);
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      invalid = true;
      point = kReplacement;
    }
    char bytes[4];
    if (!out.Put(bytes, EncodeUtf8(point, bytes))) break;
  }
  if (invalid && !out.Overflowed() && (flags & WC_ERR_INVALID_CHARS))
    return Fail(ERROR_NO_UNICODE_TRANSLATION);
  return out.Finish();
}

int SingleByteToWide(const SingleBytePage& page, const unsigned char* text, int length, WCHAR* wide,
                     int wideSize) {
  Output<WCHAR> out(wide, wideSize);
  for (int i = 0; i < length; ++i)
    if (!out.Put(page.Decode(text[i]))) break;
  return out.Finish();
}

int WideToSingleByte(const SingleBytePage& page, const WCHAR* wide, int length, char* narrow,
                     int narrowSize, char defaultChar, BOOL* usedDefaultChar) {
  Output<char> out(narrow, narrowSize);
  bool used = false;
  for (int i = 0; i < length; ++i) {
    char byte = 0;
    if (!page.Encode(wide[i], &byte)) {
      byte = defaultChar;
      used = true;
    }
    if (!out.Put(byte)) break;
  }
  if (usedDefaultChar) *usedDefaultChar = used ? TRUE : FALSE;
  return out.Finish();
}

int WideLength(const WCHAR* text) {
  int n = 0;
  while (text[n] != 0) ++n;
  return n;
}

}  // namespace

UINT GetACP() {
  return kAnsiCodePage;
}
UINT GetOEMCP() {
  return kOemCodePage;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH narrow, int narrowLength, LPWSTR wide,
                        int wideSize) {
  if (!narrow || narrowLength == 0 || wideSize < 0 || (!wide && wideSize > 0) ||
      (wideSize > 0 && static_cast<const void*>(narrow) == static_cast<const void*>(wide)))
    return Fail(ERROR_INVALID_PARAMETER);
  const Page page = FindPage(codePage);
  if (page.kind == PageKind::kUnknown) return Fail(ERROR_INVALID_PARAMETER);
  const DWORD allowed =
      page.kind == PageKind::kUtf8 ? MB_ERR_INVALID_CHARS : MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
  if (flags & ~allowed) return Fail(ERROR_INVALID_FLAGS);
  // A negative length means NUL-terminated, and the NUL is converted too.
  if (narrowLength < 0) narrowLength = static_cast<int>(std::strlen(narrow)) + 1;
  const auto* bytes = reinterpret_cast<const unsigned char*>(narrow);
  if (page.kind == PageKind::kUtf8) return Utf8ToWide(flags, bytes, narrowLength, wide, wideSize);
  return SingleByteToWide(*page.table, bytes, narrowLength, wide, wideSize);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideLength, LPSTR narrow,
                        int narrowSize, LPCCH defaultChar, LPBOOL usedDefaultChar) {
  if (!wide || wideLength == 0 || narrowSize < 0 || (!narrow && narrowSize > 0) ||
      (narrowSize > 0 && static_cast<const void*>(narrow) == static_cast<const void*>(wide)))
    return Fail(ERROR_INVALID_PARAMETER);
  const Page page = FindPage(codePage);
  if (page.kind == PageKind::kUnknown) return Fail(ERROR_INVALID_PARAMETER);
  if (wideLength < 0) wideLength = WideLength(wide) + 1;
  if (page.kind == PageKind::kUtf8) {
    if (defaultChar || usedDefaultChar) return Fail(ERROR_INVALID_PARAMETER);
    if (flags & ~WC_ERR_INVALID_CHARS) return Fail(ERROR_INVALID_FLAGS);
    return WideToUtf8(flags, wide, wideLength, narrow, narrowSize);
  }
  if (flags & ~WC_NO_BEST_FIT_CHARS) return Fail(ERROR_INVALID_FLAGS);
  return WideToSingleByte(*page.table, wide, wideLength, narrow, narrowSize,
                          defaultChar ? *defaultChar : '?', usedDefaultChar);
}
