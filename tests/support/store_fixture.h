#pragma once
// A fixture with what every test of the store needs: a folder of its own, the clipboard
// driver, and an attached store that captures every clipboard change, as the main window
// does.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "foundation/day_count.h"
#include "store/database.h"
#include "store/image_item.h"
#include "store/png_encoder.h"
#include "store/text_item.h"
#include "tests/support/clip_texts.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/temp_folder.h"

// What `store` saves once every picture's PNG image is made: a save asks for the images
// that are missing, and writes a picture as BMP until its image is there. Two stores that
// hold the same pictures, one captured and one loaded, then save the same bytes.
inline std::vector<std::uint8_t> SavedWithPngImages(const CDataBase& store) {
  store.SaveToMemory();
  WaitForPngEncodes();
  return store.SaveToMemory();
}

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() {
    store.Attach(driver.OwnerWindow());
    driver.OnChange([this] { store.CaptureClipboard(); });
  }
  ~StoreTest() override { driver.OnChange(nullptr); }

  void SetCapacity(int capacity) {
    CStoreLimits limits = store.Limits();
    limits.capacity = capacity;
    store.SetLimits(limits);
  }

  void SetMaxFormatBytes(std::size_t bytes) {
    CStoreLimits limits = store.Limits();
    limits.maxFormatBytes = bytes;
    store.SetLimits(limits);
  }

  // Copies each text in turn, as another program would, each captured on its change.
  void CopyTexts(const std::vector<std::u16string>& texts) {
    for (const auto& text : texts) ASSERT_TRUE(driver.CopyText(text));
  }

  // The texts of the category's clips in list order ("<picture>" for a picture).
  std::vector<std::u16string> TextsOf(int categoryId) const { return ClipTexts(store, categoryId); }

  std::vector<std::u16string> History() const { return TextsOf(kHistoryCategoryId); }

  CBaseItem& Head() { return *store.Items().front(); }

  CTempFolder folder;
  CClipboardDriver driver;
  CDataBase store;
};

// Distinct texts "<prefix>1" ... "<prefix>n".
inline std::vector<std::u16string> NumberedTexts(int count,
                                                 const std::u16string& prefix = u"clip ") {
  std::vector<std::u16string> texts;
  for (int i = 1; i <= count; ++i) {
    std::u16string number;
    for (char c : std::to_string(i)) number.push_back(static_cast<char16_t>(c));
    texts.push_back(prefix + number);
  }
  return texts;
}
