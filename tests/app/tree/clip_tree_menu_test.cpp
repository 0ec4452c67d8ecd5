// The clip tree's menus as the keyboard sees them: every entry has an access key, none
// twice in one menu, the "Paste as" submenu's too.

#include "app/tree/win32/clip_tree_menu.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>
#include <vector>

namespace {

// The access key of each entry of `menu` (0 for an entry without one), separators left out.
std::vector<wchar_t> AccessKeys(HMENU menu) {
  std::vector<wchar_t> keys;
  for (int at = 0; at < GetMenuItemCount(menu); ++at) {
    wchar_t text[80] = {};
    if (GetMenuStringW(menu, at, text, 80, MF_BYPOSITION) == 0) continue;
    const std::wstring caption = text;
    const auto mark = caption.find(L'&');
    const bool one = mark != std::wstring::npos && mark + 1 < caption.size() &&
                     caption.find(L'&', mark + 1) == std::wstring::npos;
    keys.push_back(one ? static_cast<wchar_t>(std::towupper(caption[mark + 1])) : 0);
  }
  return keys;
}

void ExpectOwnAccessKeys(HMENU menu, const char* name) {
  const std::vector<wchar_t> keys = AccessKeys(menu);
  ASSERT_FALSE(keys.empty()) << name;
  std::set<wchar_t> seen;
  for (wchar_t key : keys) {
    EXPECT_NE(key, 0) << name << ": an entry without an access key";
    EXPECT_TRUE(seen.insert(key).second) << name << ": " << static_cast<char>(key) << " twice";
  }
}

TEST(ClipTreeMenuKeysTest, EveryEntryOfAClipsMenuHasAnAccessKeyOfItsOwn) {
  for (const char16_t* move : {u"Move to clipboard", u"Copy to clipboard"}) {
    ClipboardMenuState state;
    state.moveCaption = move;
    state.moveToNotesVisible = state.setHotKeyVisible = state.plainTextVisible = true;
    UniqueMenu menu = MakeClipboardMenu(state);
    ASSERT_TRUE(menu);
    AddClipEditorEntries(menu.get(), true);
    AddPasteAsEntries(menu.get());
    ExpectOwnAccessKeys(menu.get(), "clip menu");
    // "Paste as" follows "Copy as plain text", and its forms are its commands.
    ASSERT_EQ(GetMenuItemID(menu.get(), 1), static_cast<UINT>(kCmdCopyAsPlainText));
    HMENU forms = GetSubMenu(menu.get(), 2);
    ASSERT_NE(forms, nullptr);
    ExpectOwnAccessKeys(forms, "Paste as");
    for (int at = 0; at < GetMenuItemCount(forms); ++at) {
      const auto command = static_cast<EClipTreeCommand>(GetMenuItemID(forms, at));
      EXPECT_EQ(PasteAsOf(command), PasteAsChoices()[static_cast<std::size_t>(at)].as);
    }
  }
  EXPECT_EQ(PasteAsOf(kCmdCopyAsPlainText), std::nullopt);
}

TEST(ClipTreeMenuKeysTest, EveryEntryOfACategorysMenuHasAnAccessKeyOfItsOwn) {
  UniqueMenu menu = MakeCategoryMenu(CategoryMenuState{true, true, true});
  ASSERT_TRUE(menu);
  AddNewNoteEntry(menu.get(), true);
  ExpectOwnAccessKeys(menu.get(), "category menu");
}

}  // namespace
