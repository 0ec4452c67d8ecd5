#include "tools/quillery_data/build_document.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "foundation/byte_reader.h"
#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "foundation/picture_error.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tools/quillery_data/base64_text.h"
#include "tools/quillery_data/json_text.h"
#include "tools/quillery_data/unicode_text.h"

namespace {

using Json = nlohmann::json;

[[noreturn]] void Fail(const std::string& where, const std::string& fault) {
  throw CDocumentError(where + ": " + fault);
}

std::string Member(const std::string& where, std::string_view key) {
  return where.empty() ? std::string(key) : where + "." + std::string(key);
}

// The member `key` of `object`, or null when it is absent and `required` is false.
const Json* Find(const Json& object, std::string_view key, const std::string& where,
                 bool required) {
  const auto found = object.find(key);
  if (found != object.end()) return &*found;
  if (required) Fail(Member(where, key), "missing");
  return nullptr;
}

std::int64_t Integer(const Json& object, std::string_view key, const std::string& where,
                     std::int64_t low, std::int64_t high, std::optional<std::int64_t> fallback) {
  const Json* value = Find(object, key, where, !fallback);
  if (!value) return *fallback;
  const std::string place = Member(where, key);
  const std::string wanted =
      "an integer from " + std::to_string(low) + " to " + std::to_string(high);
  if (!value->is_number_integer()) Fail(place, "expected " + wanted);
  if (value->is_number_unsigned()) {
    const auto number = value->get<std::uint64_t>();
    if (number > static_cast<std::uint64_t>(high)) Fail(place, "expected " + wanted);
    return static_cast<std::int64_t>(number);
  }
  const auto number = value->get<std::int64_t>();
  if (number < low || number > high) Fail(place, "expected " + wanted);
  return number;
}

int Int32(const Json& object, std::string_view key, const std::string& where,
          std::optional<int> fallback = std::nullopt) {
  return static_cast<int>(Integer(object, key, where, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max(), fallback));
}

double Created(const Json& object, const std::string& where) {
  const Json* value = Find(object, "created", where, false);
  if (!value) return 0;
  if (value->is_number()) return value->get<double>();
  if (value->is_string()) {
    const auto& name = value->get_ref<const std::string&>();
    if (name == "NaN") return std::numeric_limits<double>::quiet_NaN();
    if (name == "Infinity") return std::numeric_limits<double>::infinity();
    if (name == "-Infinity") return -std::numeric_limits<double>::infinity();
  }
  Fail(Member(where, "created"), "expected a number (or \"NaN\", \"Infinity\", \"-Infinity\")");
}

std::u16string Text(const Json& object, std::string_view key, const std::string& where) {
  const Json& value = *Find(object, key, where, true);
  if (!value.is_string()) Fail(Member(where, key), "expected a string");
  std::optional<std::u16string> text = TextFromParsedString(value.get_ref<const std::string&>());
  if (!text) Fail(Member(where, key), "not a text this program can store");
  return std::move(*text);
}

std::string String(const Json& object, std::string_view key, const std::string& where) {
  const Json& value = *Find(object, key, where, true);
  if (!value.is_string()) Fail(Member(where, key), "expected a string");
  return value.get<std::string>();
}

bool IsPngImage(const std::vector<std::uint8_t>& bytes) {
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= sizeof kSignature &&
         std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin());
}

// A picture clip of the picture file, a PNG or a BMP image: kept in the record of its
// image's kind, a PNG image byte for byte.
std::unique_ptr<CImageItem> ReadPictureFile(const std::filesystem::path& file,
                                            const std::string& where) {
  auto clip = std::make_unique<CImageItem>();
  try {
    std::vector<std::uint8_t> bytes = ReadWholeFile(file, "picture file");
    if (IsPngImage(bytes)) {
      clip->AssignPng(std::move(bytes));
      clip->savedAs = EPictureRecord::kPng;
    } else {
      CByteReader reader(bytes.data(), bytes.size());
      clip->SetPicture(TBitmap::ReadBmp(reader));
      clip->savedAs = EPictureRecord::kBmp;
    }
  } catch (const CFileError& error) {
    Fail(where, error.what());
  } catch (const CPictureError& error) {
    Fail(where, Utf8FromPath(file) + " is not a picture this program can read: " + error.what());
  }
  return clip;
}

void CheckPictureField(const Json& item, std::string_view key, const std::string& where, int actual,
                       const std::filesystem::path& file) {
  if (!item.contains(key)) return;
  const int stated = Int32(item, key, where);
  if (stated != actual) {
    Fail(Member(where, key),
         std::to_string(stated) + ", but " + Utf8FromPath(file) + " has " + std::to_string(actual));
  }
}

std::unique_ptr<CBaseItem> PictureClip(const Json& item, const std::string& where,
                                       const std::filesystem::path& baseFolder) {
  const std::u16string name = Text(item, "file", where);
  const std::filesystem::path file = baseFolder / std::filesystem::path(name);
  std::unique_ptr<CImageItem> clip = ReadPictureFile(file, Member(where, "file"));
  const bool pngFile = clip->savedAs == EPictureRecord::kPng;
  if (item.contains("stored")) {
    const std::string stored = String(item, "stored", where);
    if (stored != "png" && stored != "bmp")
      Fail(Member(where, "stored"), "expected \"png\" or \"bmp\"");
    clip->savedAs = stored == "png" ? EPictureRecord::kPng : EPictureRecord::kBmp;
  }
  const std::shared_ptr<const TBitmap> picture = clip->Picture();
  CheckPictureField(item, "width", where, picture->Width(), file);
  CheckPictureField(item, "height", where, picture->Height(), file);
  CheckPictureField(item, "bitsPerPixel", where, picture->BitsPerPixel(), file);
  if (const Json* alpha = Find(item, "alpha", where, false)) {
    if (!alpha->is_boolean()) Fail(Member(where, "alpha"), "expected true or false");
    // A PNG image says itself whether it is translucent: the document may only agree.
    if (pngFile && alpha->get<bool>() != picture->HasAlpha()) {
      Fail(Member(where, "alpha"),
           std::string(alpha->get<bool>() ? "true" : "false") + ", but " + Utf8FromPath(file) +
               (picture->HasAlpha() ? " is translucent" : " has no translucent pixel"));
    }
    if (!pngFile) {
      TBitmap marked = *picture;
      if (!marked.SetHasAlpha(alpha->get<bool>())) {
        Fail(Member(where, "alpha"), "only a 32-bit picture with the standard masks has alpha");
      }
      clip->SetPicture(std::move(marked));
    }
  }
  // Encoded here, so that the save that follows writes the PNG record it names.
  if (clip->savedAs == EPictureRecord::kPng) clip->EncodedPng();
  return clip;
}

std::vector<CClipFormat> Formats(const Json& item, const std::string& where) {
  std::vector<CClipFormat> formats;
  const Json* list = Find(item, "formats", where, false);
  if (!list) return formats;
  if (!list->is_array()) Fail(Member(where, "formats"), "expected an array");
  for (std::size_t i = 0; i < list->size(); ++i) {
    const std::string place = Member(where, "formats") + "[" + std::to_string(i) + "]";
    const Json& format = (*list)[i];
    if (!format.is_object()) Fail(place, "expected an object");
    std::optional<std::vector<std::uint8_t>> data = BytesFromBase64(String(format, "data", place));
    if (!data) Fail(Member(place, "data"), "expected base64");
    formats.push_back({Text(format, "name", place), std::move(*data)});
  }
  return formats;
}

std::unique_ptr<CBaseItem> FileListClip(const Json& item, const std::string& where) {
  auto clip = std::make_unique<CFileListItem>();
  const Json& paths = *Find(item, "paths", where, true);
  if (!paths.is_array()) Fail(Member(where, "paths"), "expected an array");
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string place = Member(where, "paths") + "[" + std::to_string(i) + "]";
    if (!paths[i].is_string()) Fail(place, "expected a string");
    std::optional<std::u16string> path =
        TextFromParsedString(paths[i].get_ref<const std::string&>());
    if (!path) Fail(place, "not a text this program can store");
    clip->paths.push_back(std::move(*path));
  }
  clip->dropEffect =
      static_cast<std::uint32_t>(Integer(item, "dropEffect", where, 0, 0xFFFFFFFF, 0));
  return clip;
}

std::unique_ptr<CBaseItem> Clip(const Json& item, const std::string& where,
                                const std::filesystem::path& baseFolder) {
  if (!item.is_object()) Fail(where, "expected an object");
  const Json& kind = *Find(item, "kind", where, true);
  std::unique_ptr<CBaseItem> clip;
  if (kind == "text") {
    auto text = std::make_unique<CTextItem>();
    text->text = CClipText::Taking(Text(item, "text", where));
    text->textLength = static_cast<int>(text->text.size());
    text->formats = Formats(item, where);
    clip = std::move(text);
  } else if (kind == "files") {
    clip = FileListClip(item, where);
  } else if (kind == "picture") {
    clip = PictureClip(item, where, baseFolder);
  } else {
    Fail(Member(where, "kind"), "expected \"text\", \"picture\" or \"files\"");
  }
  clip->categoryId = Int32(item, "categoryId", where);
  clip->created = Created(item, where);
  clip->hotKey = static_cast<std::uint16_t>(Integer(item, "hotKey", where, 0, 0xFFFF, 0));
  return clip;
}

CCategory Category(const Json& value, const std::string& where) {
  if (!value.is_object()) Fail(where, "expected an object");
  CCategory category;
  category.id = Int32(value, "id", where);
  category.parentId = Int32(value, "parentId", where, 0);
  category.iconIndex = Int32(value, "iconIndex", where, 0);
  category.reserved = Int32(value, "reserved", where, 0);
  category.name = Text(value, "name", where);
  return category;
}

const Json& List(const Json& document, std::string_view key) {
  static const Json kNone = Json::array();
  const Json* list = Find(document, key, "", false);
  if (!list) return kNone;
  if (!list->is_array()) Fail(std::string(key), "expected an array");
  return *list;
}

Json Parse(std::string_view json) {
  try {
    return Json::parse(ShieldSurrogateEscapes(json));
  } catch (const Json::parse_error& error) {
    // nlohmann's message begins with its own error code in brackets, of no use here.
    std::string message = error.what();
    const std::size_t codeEnd = message.find("] ");
    if (codeEnd != std::string::npos) message.erase(0, codeEnd + 2);
    throw CDocumentError("not valid JSON: " + message);
  }
}

}  // namespace

void BuildStore(std::string_view json, const std::filesystem::path& baseFolder, CDataBase& store) {
  const Json document = Parse(json);
  if (!document.is_object()) throw CDocumentError("expected an object at the top level");
  const Json& items = List(document, "items");
  for (std::size_t i = 0; i < items.size(); ++i) {
    store.AppendClip(Clip(items[i], "items[" + std::to_string(i) + "]", baseFolder));
  }
  const Json& categories = List(document, "categories");
  for (std::size_t i = 0; i < categories.size(); ++i) {
    store.AppendCategory(Category(categories[i], "categories[" + std::to_string(i) + "]"));
  }
  store.SetLastCategoryId(Int32(document, "lastCategoryId", "", CDataBase::kCategoryIdBase));
}
