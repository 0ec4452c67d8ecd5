#include "app/autosave/store_slice_writer.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "store/data_file_format.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

// About the bytes of the clip's record, a little more: what the budget counts.
std::size_t RecordSizeHint(const CBaseItem& clip) {
  constexpr std::size_t kFieldsAndHeaders = 2048;  // record fields, BMP headers, colour table
  if (const auto* picture = dynamic_cast<const CImageItem*>(&clip);
      picture && picture->HasPicture()) {
    // Written as its PNG image once that is made, until then as its BMP (its own pixels,
    // which a picture without its image holds: asking for them decodes nothing).
    if (const std::size_t png = picture->ReadyPng().size(); png > 0) return png + kFieldsAndHeaders;
    const std::shared_ptr<const TBitmap> pixels = picture->Picture();
    if (!pixels) return kFieldsAndHeaders;
    return pixels->Stride() * static_cast<std::size_t>(pixels->Height()) + kFieldsAndHeaders;
  }
  std::size_t bytes =
      2 * static_cast<std::size_t>(std::max(clip.textLength, 0)) + kFieldsAndHeaders;
  if (const auto* text = dynamic_cast<const CTextItem*>(&clip)) {
    for (const CClipFormat& format : text->formats)
      bytes += format.data.size() + 2 * format.name.size();
  } else if (const auto* files = dynamic_cast<const CFileListItem*>(&clip)) {
    for (const std::u16string& path : files->paths) bytes += 4 + 2 * path.size();
  }
  return bytes;
}

std::size_t CategorySizeHint(const CCategory& category) {
  return 2 * category.name.size() + 32;
}

}  // namespace

std::size_t EstimatedDataFileBytes(const CDataBase& store) {
  std::size_t bytes = 8;
  for (const auto& clip : store.Items()) bytes += RecordSizeHint(*clip);
  for (const auto& category : store.Categories()) bytes += CategorySizeHint(*category);
  return bytes;
}

bool CStoreSliceWriter::WriteNext(const CDataBase& store, CByteWriter& out, std::size_t budget) {
  // Counted by estimate: a writer with a sink hands its bytes on as it goes.
  std::size_t written = 0;
  auto spent = [&] { return written >= budget; };
  if (!headerDone_) {
    out.WriteInt32(kDataFileMarker);
    out.WriteInt32(store.LastCategoryId());
    headerDone_ = true;
  }
  // Tail first, as the loader puts each clip at the head.
  const auto& items = store.Items();
  auto clip =
      std::next(items.rbegin(), static_cast<std::ptrdiff_t>(std::min(clipsDone_, items.size())));
  for (; clip != items.rend() && !spent(); ++clip, ++clipsDone_) {
    if ((*clip)->orphaned) continue;
    written += RecordSizeHint(**clip);
    (*clip)->Save(out);
  }
  if (clip != items.rend()) return false;
  const auto& categories = store.Categories();
  for (; categoriesDone_ < categories.size() && !spent(); ++categoriesDone_) {
    written += CategorySizeHint(*categories[categoriesDone_]);
    categories[categoriesDone_]->Save(out);
  }
  return categoriesDone_ == categories.size();
}
