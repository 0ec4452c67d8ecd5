// The resources every program of ours carries: the manifest (common controls 6, DPI
// awareness), the application icon and the icon lists made from the generated bitmaps.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/win32/category_icons.h"

#include "resources/icon_art.h"

namespace {

std::string ManifestText() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  if (found == nullptr) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(data, SizeofResource(module, found));
}

TEST(ResourcesTest, TheManifestAsksForCommonControls6AndDpiAwareness) {
  const std::string manifest = ManifestText();
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
}

TEST(ResourcesTest, TheManifestMakesTheProcessAwareOfEachMonitorsDpi) {
  // Read from the manifest by the system as the process starts, as Windows does.
  using GetContext = void*(WINAPI*)();
  using AwarenessOf = int(WINAPI*)(void*);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto getContext = reinterpret_cast<GetContext>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  const auto awarenessOf = reinterpret_cast<AwarenessOf>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_NE(getContext, nullptr);
  ASSERT_NE(awarenessOf, nullptr);
  EXPECT_EQ(awarenessOf(getContext()), 2);  // DPI_AWARENESS_PER_MONITOR_AWARE
}

TEST(ResourcesTest, TheManifestRedirectsTheCommonControlsToVersion6) {
  // The process's activation context, made from the manifest, sends comctl32.dll to the
  // version 6 assembly; without the manifest the name is not redirected at all.
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof(data);
  ASSERT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                       L"comctl32.dll", &data));
  // The assembly that holds it: Microsoft.Windows.Common-Controls 6.
  std::vector<std::uint8_t> buffer(4096);
  SIZE_T needed = 0;
  ACTIVATION_CONTEXT_QUERY_INDEX index{data.ulAssemblyRosterIndex, 0};
  ASSERT_TRUE(QueryActCtxW(0, data.hActCtx, &index, AssemblyDetailedInformationInActivationContext,
                           buffer.data(), buffer.size(), &needed));
  const auto* assembly =
      reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
  const std::wstring identity(assembly->lpAssemblyEncodedAssemblyIdentity,
                              assembly->ulEncodedAssemblyIdentityLength / sizeof(wchar_t));
  EXPECT_NE(identity.find(L"Microsoft.Windows.Common-Controls"), std::wstring::npos);
  EXPECT_NE(identity.find(L"6.0"), std::wstring::npos);
}

TEST(ResourcesTest, TheApplicationIconHasTheSmallAndLargeImagesOf96To144Dpi) {
  for (int side : {16, 20, 24, 32, 40, 48}) {
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAIN_ICON", IMAGE_ICON, side, side, 0));
    ASSERT_NE(icon, nullptr) << side;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, side);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

// Draws image `index` of `list` on white and returns the colour at (x, y).
COLORREF DrawnOnWhite(HIMAGELIST list, int index, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixel;
}

TEST(ResourcesTest, TheCategoryIconsAre16By16WithTransparency) {
  UniqueImageList icons = LoadCategoriesIcons();
  ASSERT_TRUE(icons);
  EXPECT_EQ(ImageList_GetImageCount(icons.get()), static_cast<int>(CategoryIconNames().size()));
  int width = 0, height = 0;
  ImageList_GetIconSize(icons.get(), &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  // The star (1): its corner shows the white beneath, its middle is gold.
  EXPECT_EQ(DrawnOnWhite(icons.get(), 1, 0, 0), RGB(255, 255, 255));
  const COLORREF middle = DrawnOnWhite(icons.get(), 1, 8, 9);
  EXPECT_NE(middle, RGB(255, 255, 255));
  EXPECT_GT(GetRValue(middle), 200);
  EXPECT_LT(GetBValue(middle), 120);
}

TEST(ResourcesTest, TheIconListsOfAHigherDpiAreDrawnAtTheirSide) {
  UniqueImageList icons = LoadCategoriesIcons(24);
  ASSERT_TRUE(icons);
  int width = 0, height = 0;
  ImageList_GetIconSize(icons.get(), &width, &height);
  EXPECT_EQ(width, 24);
  EXPECT_EQ(ImageList_GetImageCount(icons.get()), static_cast<int>(CategoryIconNames().size()));
  UniqueImageList own;
  EXPECT_EQ(CategoryIconsOfSide(icons.get(), 24, own), icons.get());
  EXPECT_FALSE(own);
  HIMAGELIST at32 = CategoryIconsOfSide(icons.get(), 32, own);
  ASSERT_NE(at32, nullptr);
  EXPECT_EQ(at32, own.get());
  ImageList_GetIconSize(at32, &width, &height);
  EXPECT_EQ(height, 32);
}

TEST(ResourcesTest, TheFirstOfTheMoreIconsIsTheHotKeyMark) {
  UniqueImageList more = LoadMoreIcons();
  ASSERT_TRUE(more);
  EXPECT_GE(ImageList_GetImageCount(more.get()), 1);
  EXPECT_EQ(DrawnOnWhite(more.get(), 0, 0, 0), RGB(255, 255, 255));
  EXPECT_NE(DrawnOnWhite(more.get(), 0, 10, 8), RGB(255, 255, 255));
}

}  // namespace
