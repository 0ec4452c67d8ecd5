// Type-to-search in a real edit field under Wine: the keys typed while a search is due all
// reach the field, and the tree is filtered once, by the newest text.

#include "app/search/win32/list_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "categories/recording_tree_view.h"
#include "store/text_item.h"

namespace {

constexpr int kFieldId = 101;

class ListSearchTest : public ::testing::Test, private CListSearchPort {
 protected:
  ListSearchTest() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ParentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuilleryListSearchTest";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                              200, nullptr, nullptr, windowClass.hInstance, nullptr);
    tree_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, window_, nullptr,
                            windowClass.hInstance, nullptr);
    handler_.AttachTree(&view_, window_);
    for (const auto* text : {u"alpha", u"gamma", u"gamut"}) {
      auto clip = std::make_unique<CTextItem>();
      clip->ReplaceText(text);
      clip->categoryId = kHistoryCategoryId;
      handler_.AppendClip(std::move(clip));
    }
    handler_.RebuildTree();
    search_ = std::make_unique<CListSearch>(window_, kFieldId, tree_, nullptr,
                                            static_cast<CListSearchPort&>(*this),
                                            [this]() -> CClipboardHandler& { return handler_; });
    current_ = this;
  }
  ~ListSearchTest() override {
    current_ = nullptr;
    search_.reset();
    DestroyWindow(window_);
  }

  // Posts the characters to the field, as keys the user typed faster than the program
  // handles them, then handles every message until the thread has been idle for a while.
  // A `key` (Enter, Escape) follows them when given.
  void Type(const std::wstring& text, WPARAM key = 0) {
    search_->OpenField();
    for (wchar_t character : text) PostMessageW(search_->Field(), WM_CHAR, character, 0);
    if (key != 0) PostMessageW(search_->Field(), WM_KEYDOWN, key, 0);
    const DWORD until = GetTickCount() + 300;
    while (GetTickCount() < until) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      Sleep(1);
    }
  }

  std::u16string FieldText() const {
    wchar_t text[64] = {};
    GetWindowTextW(search_->Field(), text, 64);
    return reinterpret_cast<const char16_t*>(text);
  }
  std::u16string SelectedCaption() const {
    TTreeNode* row = view_.Selected();
    return row == nullptr ? u"<none>" : static_cast<const CItemNode*>(view_.RowData(row))->caption;
  }

  int searches_ = 0;                       // the filters shown, one for each search
  std::vector<std::u16string> enteredOn_;  // the selected clip at each Enter
  std::unique_ptr<CListSearch> search_;
  CRecordingTreeView view_;
  CClipboardHandler handler_;

 private:
  static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kFieldId && HIWORD(wParam) == EN_CHANGE &&
        current_ != nullptr && current_->search_) {
      current_->search_->TextChanged();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  // CListSearchPort
  bool HasHandler() const override { return true; }
  bool ListShown() const override { return true; }
  void SearchFieldShown() override {}
  void SearchEnter() override { enteredOn_.push_back(SelectedCaption()); }
  void EscapeBeyondSearch() override {}
  void ShowNoMatch(bool) override { ++searches_; }

  static inline ListSearchTest* current_ = nullptr;
  HWND window_ = nullptr;
  HWND tree_ = nullptr;
};

TEST_F(ListSearchTest, KeysTypedBeforeTheSearchRunsAreAllKeptAndSearchedForOnce) {
  Type(L"gamm");
  EXPECT_EQ(FieldText(), u"gamm");
  EXPECT_EQ(searches_, 1);
  EXPECT_EQ(handler_.Search(), CClipQuery(u"gamm"));
  EXPECT_EQ(handler_.SearchMatches(), 1);
  EXPECT_EQ(SelectedCaption(), u"gamma");
}

TEST_F(ListSearchTest, EnterTypedBeforeTheSearchRunsActsOnWhatTheWholeQueryFinds) {
  Type(L"gamu", VK_RETURN);
  ASSERT_EQ(enteredOn_.size(), 1u);
  EXPECT_EQ(enteredOn_.front(), u"gamut");
  EXPECT_EQ(searches_, 1);
}

// A long history is searched a slice at a time, and the walk goes on while no key comes.
class ListSearchSlicesTest : public ListSearchTest {
 protected:
  ListSearchSlicesTest() {
    for (int i = 0; i < 40; ++i) {
      auto clip = std::make_unique<CTextItem>();
      clip->ReplaceText(i == 39 ? u"gamut at the end" : u"something else");
      clip->categoryId = kHistoryCategoryId;
      handler_.AppendClip(std::move(clip));
    }
    handler_.RebuildTree();
    search_->SetSlice(CWalkSlice::kNoTimeLimit, 5);
  }
};

TEST_F(ListSearchSlicesTest, TheWalkGoesOnUntilItEndsWithoutAKeyMore) {
  Type(L"gam");
  EXPECT_FALSE(handler_.SearchUnfinished());
  EXPECT_EQ(handler_.SearchMatches(), 3);
  EXPECT_GT(searches_, 5);  // each slice shows what it found
  EXPECT_EQ(SelectedCaption(), u"gamma");
}

TEST_F(ListSearchSlicesTest, EnterActsOnWhatTheWholeWalkFinds) {
  Type(L"gamut at", VK_RETURN);
  ASSERT_EQ(enteredOn_.size(), 1u);
  EXPECT_EQ(enteredOn_.front(), u"gamut at the end");
}

TEST_F(ListSearchTest, EscapeBeforeTheSearchRunsLeavesTheTreeUnfiltered) {
  Type(L"gam");
  Type(L"u", VK_ESCAPE);
  EXPECT_FALSE(search_->FieldOpen());
  EXPECT_TRUE(handler_.Search().Empty());
  EXPECT_EQ(view_.ChildRows(view_.ChildRows(nullptr).front()).size(), 3u);
}

}  // namespace
