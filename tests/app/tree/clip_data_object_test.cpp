// The drag out's OLE objects under Wine: the data object as a drop target reads it, the
// drop source's answers, and a whole DoDragDrop onto a real target window of this thread.

#include "app/tree/win32/clip_data_object.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/tree/drag_out.h"
#include "app/tree/win32/clip_drag_out.h"
#include "app/tree/win32/clip_drop_source.h"
#include "platform/handles.h"
#include "platform/win32/gdi.h"
#include "store/text_item.h"
// After windows.h, which it needs.
#include <ole2.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

FORMATETC FormatOf(UINT format, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
  return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, aspect, -1, tymed};
}

// The bytes of `format` that `data` gives; none when it refuses.
std::optional<Bytes> BytesOf(IDataObject& data, UINT format) {
  FORMATETC asked = FormatOf(format);
  STGMEDIUM medium{};
  if (data.GetData(&asked, &medium) != S_OK) return std::nullopt;
  Bytes bytes;
  if (medium.tymed == TYMED_HGLOBAL) {
    GlobalLockGuard lock(medium.hGlobal);
    const auto* first = static_cast<const std::uint8_t*>(lock.data());
    if (first != nullptr) bytes.assign(first, first + lock.size());
  }
  ReleaseStgMedium(&medium);
  return bytes;
}

// Drops at the first question, wherever the pointer is.
class CDropAtOnce final : public CComObject<CDropAtOnce, IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_DROP; }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  friend class CComObject<CDropAtOnce, IDropSource>;
  CDropAtOnce() = default;
};

// Takes the text of a drop, offering a copy.
class CTextTarget final : public CComObject<CTextTarget, IDropTarget> {
 public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_COPY;
    if (const std::optional<Bytes> bytes = BytesOf(*data, CF_UNICODETEXT)) {
      text_ = reinterpret_cast<const char16_t*>(bytes->data());
    }
    return S_OK;
  }
  const std::u16string& Text() const { return text_; }

 private:
  friend class CComObject<CTextTarget, IDropTarget>;
  CTextTarget() = default;
  std::u16string text_;
};

class ClipDataObjectTest : public ::testing::Test {
 protected:
  ClipDataObjectTest() {
    CTextItem clip;
    clip.text = u"dragged";
    clip.formats = {{u"HTML Format", {'<', 'b', '>'}}};
    blocks_ = DragOutBlocks(clip);
    data_ = CClipDataObject::Make(blocks_);
  }

  COleThread ole_;
  std::vector<CClipBlock> blocks_;
  CComRef<IDataObject> data_;
};

TEST_F(ClipDataObjectTest, GivesEachBlockAsMovableMemoryOfItsOwn) {
  ASSERT_TRUE(ole_.Entered());
  for (const CClipBlock& block : blocks_) {
    const std::optional<Bytes> given = BytesOf(*data_.get(), block.format);
    ASSERT_TRUE(given.has_value()) << block.format;
    ASSERT_GE(given->size(), block.bytes.size()) << block.format;
    EXPECT_EQ(Bytes(given->begin(), given->begin() + std::ssize(block.bytes)), block.bytes);
  }
  // A second read gets its own block: the first was released by its reader.
  EXPECT_TRUE(BytesOf(*data_.get(), CF_UNICODETEXT).has_value());
}

TEST_F(ClipDataObjectTest, RefusesWhatItDoesNotHoldInTheWordsOfOle) {
  FORMATETC other = FormatOf(CF_DIB);
  EXPECT_EQ(data_->QueryGetData(&other), DV_E_FORMATETC);
  FORMATETC stream = FormatOf(CF_UNICODETEXT, TYMED_ISTREAM);
  EXPECT_EQ(data_->QueryGetData(&stream), DV_E_TYMED);
  FORMATETC icon = FormatOf(CF_UNICODETEXT, TYMED_HGLOBAL, DVASPECT_ICON);
  EXPECT_EQ(data_->QueryGetData(&icon), DV_E_DVASPECT);
  FORMATETC text = FormatOf(CF_UNICODETEXT);
  EXPECT_EQ(data_->QueryGetData(&text), S_OK);
  STGMEDIUM medium{};
  EXPECT_EQ(data_->GetData(&other, &medium), DV_E_FORMATETC);
}

TEST_F(ClipDataObjectTest, ListsItsFormatsInOrder) {
  CComRef<IEnumFORMATETC> formats;
  ASSERT_EQ(data_->EnumFormatEtc(DATADIR_GET, formats.put()), S_OK);
  std::vector<UINT> listed;
  FORMATETC format{};
  while (formats->Next(1, &format, nullptr) == S_OK) listed.push_back(format.cfFormat);
  std::vector<UINT> expected;
  for (const CClipBlock& block : blocks_) expected.push_back(block.format);
  EXPECT_EQ(listed, expected);
}

TEST_F(ClipDataObjectTest, TheDropSourceCancelsOnEscapeAndDropsOnRelease) {
  const CComRef<IDropSource> source = CClipDropSource::Make();
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON | MK_RBUTTON), DRAGDROP_S_CANCEL);
}

TEST_F(ClipDataObjectTest, DoDragDropHandsTheTextToATargetWindow) {
  ASSERT_TRUE(ole_.Entered());
  UniqueWindow window(CreateWindowExW(WS_EX_TOPMOST, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                      200, 100, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  const CComRef<IDropTarget> target = CTextTarget::Make();
  ASSERT_EQ(RegisterDragDrop(window.get(), target.get()), S_OK);
  SetCursorPos(200, 150);
  const CComRef<IDropSource> source = CDropAtOnce::Make();
  DWORD effect = DROPEFFECT_NONE;
  EXPECT_EQ(DoDragDrop(data_.get(), source.get(), kDragOutEffect, &effect), DRAGDROP_S_DROP);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(static_cast<CTextTarget*>(target.get())->Text(), u"dragged");
  RevokeDragDrop(window.get());
}

}  // namespace
