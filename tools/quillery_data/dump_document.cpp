#include "tools/quillery_data/dump_document.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

#include <nlohmann/json.hpp>

#include "foundation/byte_writer.h"
#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tools/quillery_data/base64_text.h"
#include "tools/quillery_data/json_text.h"
#include "tools/quillery_data/unicode_text.h"

namespace {

using OrderedJson = nlohmann::ordered_json;

// nlohmann lays out the document, but cannot write the texts (see json_text.h). Each text
// goes into the layout as a placeholder, a NUL and its number, which nlohmann writes as
// "\u0000<n>"; no other string of the document can hold a NUL, so every such token is one
// of ours and is then replaced by the text's own token.
class CTextSlots {
 public:
  std::string Slot(std::u16string_view text) {
    texts_.push_back(text);
    return std::string(1, '\0') + std::to_string(texts_.size() - 1);
  }
  // A text made for the dump (a clip's text kept in another form), kept until the end.
  std::string Slot(std::u16string&& text) { return Slot(made_.emplace_back(std::move(text))); }

  std::string Fill(std::string_view layout) const {
    static constexpr std::string_view kOpening = "\"\\u0000";
    std::string document;
    std::size_t done = 0;
    for (std::size_t at = layout.find(kOpening); at != std::string_view::npos;
         at = layout.find(kOpening, done)) {
      std::size_t end = at + kOpening.size();
      std::size_t index = 0;
      while (end < layout.size() && layout[end] >= '0' && layout[end] <= '9') {
        index = index * 10 + static_cast<std::size_t>(layout[end++] - '0');
      }
      if (end == layout.size() || layout[end] != '"' || index >= texts_.size()) {
        throw std::logic_error("text placeholder out of place in the dump");
      }
      document.append(layout.substr(done, at - done));
      document += JsonStringToken(texts_[index]);
      done = end + 1;
    }
    document.append(layout.substr(done));
    return document;
  }

 private:
  std::vector<std::u16string_view> texts_;
  std::deque<std::u16string> made_;
};

OrderedJson CreatedValue(double created) {
  if (std::isnan(created)) return "NaN";
  if (std::isinf(created)) return created > 0 ? "Infinity" : "-Infinity";
  return created;
}

// Forward slashes on every platform: Windows takes them, and they need no escape in JSON.
std::string ShownPath(const std::filesystem::path& path) {
  std::string text = Utf8FromPath(path);
  if constexpr (std::filesystem::path::preferred_separator != '/') {
    std::replace(text.begin(), text.end(), '\\', '/');
  }
  return text;
}

// The picture's file in `folder`: the PNG image its record holds, or a BMP image of a
// picture from a BMP record. Its name says which.
std::filesystem::path WritePicture(const CImageItem& clip, std::size_t position,
                                   const std::filesystem::path& folder) {
  const std::string name = std::to_string(position);
  if (clip.LoadedFrom() == EPictureRecord::kPng) {
    const std::span<const std::uint8_t> png = clip.EncodedPng();
    const std::filesystem::path file = folder / (name + ".png");
    ReplaceFileSafely(file, std::vector<std::uint8_t>(png.begin(), png.end()), "picture file");
    return file;
  }
  CByteWriter writer;
  clip.Picture()->WriteBmp(writer);
  const std::filesystem::path file = folder / (name + ".bmp");
  ReplaceFileSafely(file, writer.Bytes(), "picture file");
  return file;
}

OrderedJson PictureFields(const CImageItem& clip, std::size_t position,
                          const std::optional<std::filesystem::path>& picturesFolder) {
  OrderedJson fields = OrderedJson::object();
  // Decoded for its depth and alpha; let go again once told.
  const std::shared_ptr<const TBitmap> pixels = clip.Picture();
  const TBitmap empty;
  const TBitmap& picture = pixels ? *pixels : empty;
  fields["width"] = picture.Width();
  fields["height"] = picture.Height();
  fields["bitsPerPixel"] = picture.BitsPerPixel();
  if (picture.HasAlpha()) fields["alpha"] = true;
  if (clip.LoadedFrom())
    fields["stored"] = clip.LoadedFrom() == EPictureRecord::kPng ? "png" : "bmp";
  if (picturesFolder && !picture.Empty()) {
    fields["file"] = ShownPath(WritePicture(clip, position, *picturesFolder));
  }
  return fields;
}

OrderedJson ItemValue(const CBaseItem& clip, std::size_t position,
                      const std::optional<std::filesystem::path>& picturesFolder,
                      CTextSlots& slots) {
  OrderedJson item = OrderedJson::object();
  item["kind"] = clip.kind == kTextKind ? "text" : clip.kind == kFileListKind ? "files" : "picture";
  item["categoryId"] = clip.categoryId;
  item["created"] = CreatedValue(clip.created);
  item["hotKey"] = clip.hotKey;
  if (const auto* text = dynamic_cast<const CTextItem*>(&clip)) {
    item["text"] = slots.Slot(text->text.Utf16());
    if (!text->formats.empty()) {
      OrderedJson formats = OrderedJson::array();
      for (const CClipFormat& format : text->formats) {
        formats.push_back(
            {{"name", slots.Slot(format.name)}, {"data", Base64FromBytes(format.data)}});
      }
      item["formats"] = std::move(formats);
    }
  } else if (const auto* files = dynamic_cast<const CFileListItem*>(&clip)) {
    OrderedJson paths = OrderedJson::array();
    for (const std::u16string& path : files->paths) paths.push_back(slots.Slot(path));
    item["paths"] = std::move(paths);
    item["dropEffect"] = files->dropEffect;
  } else if (const auto* image = dynamic_cast<const CImageItem*>(&clip)) {
    item.update(PictureFields(*image, position, picturesFolder));
  }
  return item;
}

OrderedJson CategoryValue(const CCategory& category, CTextSlots& slots) {
  OrderedJson value = OrderedJson::object();
  value["id"] = category.id;
  value["parentId"] = category.parentId;
  value["iconIndex"] = category.iconIndex;
  value["reserved"] = category.reserved;
  value["name"] = slots.Slot(category.name);
  return value;
}

void CreatePicturesFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder, error)) {
    throw CFileError("Cannot create pictures folder", folder);
  }
}

}  // namespace

std::string DumpDocument(const CDataBase& store, const CLoadReport& report,
                         const std::optional<std::filesystem::path>& picturesFolder) {
  if (picturesFolder) CreatePicturesFolder(*picturesFolder);
  CTextSlots slots;
  OrderedJson document = OrderedJson::object();
  document["format"] = report.format == DataFormat::kLegacy ? "legacy" : "current";
  document["lastCategoryId"] = store.LastCategoryId();
  OrderedJson items = OrderedJson::array();
  std::size_t position = 0;
  for (const auto& clip : store.Items()) {
    items.push_back(ItemValue(*clip, position++, picturesFolder, slots));
  }
  document["items"] = std::move(items);
  OrderedJson categories = OrderedJson::array();
  for (const auto& category : store.Categories()) {
    categories.push_back(CategoryValue(*category, slots));
  }
  document["categories"] = std::move(categories);
  if (report.damaged) {
    document["damaged"] = {{"offset", report.damageOffset}, {"reason", report.damageReason}};
  } else {
    document["damaged"] = nullptr;
  }
  const std::string layout = document.dump(2, ' ', false, OrderedJson::error_handler_t::replace);
  return slots.Fill(layout) + "\n";
}
