#pragma once
// A clip: one piece of clipboard content that the program keeps, a text or a picture.
// The store (CDataBase) owns every clip and decides its id, category and place; a clip
// itself only knows how to take its content from the clipboard and put it back.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "platform/handles.h"
#include "platform/windows_api.h"
#include "store/clipboard_blocks.h"

class CClipText;
class TBitmap;

inline constexpr int kHistoryCategoryId = 10;  // "Clipboard history"
inline constexpr int kNotesCategoryId = 11;    // "Quick notes"

// A copy is not lost because another program held the clipboard open for a moment.
inline constexpr ClipboardPatience kCapturePatience{20, 2};

enum ClipKind : int { kNoKind = 0, kTextKind = 1, kPictureKind = 2, kFileListKind = 3 };

class CBaseItem {
 public:
  virtual ~CBaseItem() = default;
  CBaseItem(const CBaseItem&) = delete;
  CBaseItem& operator=(const CBaseItem&) = delete;

  // Takes the content now on the clipboard, opening it with `ownerWindow` as owner (with
  // kCapturePatience) and sets `created` to now. False, with the clip unchanged, when the
  // clipboard offers no content of this kind, cannot be opened, or its source marked the
  // content as not to be kept (password managers do).
  virtual bool ReadFromClipboard(HWND ownerWindow) = 0;
  // After a ReadFromClipboard that gave false: why content that was there was not kept
  // (beyond what the program keeps of its kind), in plain words for the one-line display;
  // empty when the content was taken, or there was none that could be read.
  const std::u16string& Refusal() const { return refusal_; }

  // Replaces the clipboard's content with this clip's. False when the clipboard cannot be
  // opened or the content cannot be placed; the clip is unchanged either way.
  virtual bool WriteToClipboard(HWND ownerWindow) const = 0;
  // The clip's content as the blocks that go to another program, the content itself first:
  // the formats WriteToClipboard places, except that a picture is a packed CF_DIB, since a
  // CF_BITMAP lives only on the clipboard. Empty when the clip holds no content.
  virtual std::vector<CClipBlock> TransferBlocks() const { return {}; }

  // Writes the clip's whole record of the data file, followed by the records attached to
  // it (data_file_format.h). False, with nothing written, when the clip has no content to
  // keep.
  virtual bool Save(CByteWriter& writer) const = 0;

  // Reads the rest of the clip's record, its kind already read, and sets the stored
  // fields. Throws CRecordError when the record is cut short or holds an impossible
  // length, CPictureError when its picture cannot be read.
  virtual void Load(CByteReader& reader) = 0;
  // After Load: how many bytes of the record the end of the data cut off while the clip
  // could still keep what came before (the rows of a picture); 0 for a whole record.
  virtual std::uint64_t MissingBytes() const { return 0; }
  // Reads a record that follows the clip's own and belongs to it, its kind already read.
  // False, with nothing read, for a kind this clip takes no record of. Throws CRecordError
  // when the record is cut short or does not hold what its kind says.
  virtual bool LoadAttached(std::int32_t recordKind, CByteReader& reader) {
    static_cast<void>(recordKind);
    static_cast<void>(reader);
    return false;
  }

  // The clip as plain text (a file list: its paths, one a line), or none for a picture.
  virtual std::optional<std::u16string> PlainText() const { return std::nullopt; }
  // The one-line caption (foundation/caption.h) that names the clip wherever it is listed:
  // a text's first words, a file list's names; empty for a picture, which shows itself.
  virtual std::u16string Caption() const { return {}; }
  // The picture that the clip holds, decoded if need be and shared with the clip; null for
  // every other kind, for a picture clip not yet captured or loaded and for one whose image
  // does not decode.
  virtual std::shared_ptr<const TBitmap> Picture() const { return nullptr; }
  // The text that a search looks through, owned by the clip: a text clip's text; null for
  // every other kind.
  virtual const CClipText* SearchableText() const { return nullptr; }

  int id = 0;                // set by the store; not persistent
  int categoryId = 0;        // kHistoryCategoryId, kNotesCategoryId or a user category's id
  int textLength = 0;        // UTF-16 units of the text; 0 for pictures
  double created = 0;        // local time as a day count (foundation/day_count.h)
  int kind = kNoKind;        // also the record kind of the data file
  std::uint16_t hotKey = 0;  // key combination assigned by the user; 0 for none
  bool orphaned = false;     // the clip's category has no place in the category tree
  // The clipboard's sequence number while the content was read (not persistent): which
  // change of the clipboard this clip is, whatever changes followed before it was read.
  DWORD clipboardSequence = 0;
  // ContentHash (clip_content.h) of the clip while it is in the store's history; set by
  // the store (not persistent).
  std::uint64_t contentHash = 0;
  // How often the user has edited the content in place (not persistent): with the id, it
  // tells whatever follows the store that the clip it knew by that id holds new content.
  std::uint32_t edition = 0;

 protected:
  // Sets `created` to the current local time.
  explicit CBaseItem(int itemKind);

  // The fields that every clip record holds after its kind and size.
  void SaveCommonFields(CByteWriter& writer) const;
  void LoadCommonFields(CByteReader& reader);

  // For ReadFromClipboard: notes why the content is not kept; gives false, the read's
  // result.
  bool Refuse(std::u16string reason);

 private:
  std::u16string refusal_;
};

// The bytes of a record after its size field, whose value must be exact: the records that
// an older reader skips by it. Throws CRecordError when the size is negative or runs past
// the end. The bytes stay valid until the reader moves on.
std::span<const std::uint8_t> TakeSizedRecordBody(CByteReader& reader, const char* what);

// Writes `text` as CF_UNICODETEXT, the only format, on the clipboard. The block is made
// before the clipboard is opened and emptied, so that a failure leaves the content there.
bool PutPlainTextOnClipboard(HWND ownerWindow, std::u16string_view text);
