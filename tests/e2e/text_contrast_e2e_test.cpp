// Every text the window draws, read back from the screen in each look, stands out from
// what is behind it by at least the contrast body text needs (4.5:1): the header's caption,
// the category rows with their counts, the clips with their quick-paste badges, the selected
// clip and category, a clip's preview, the search field, the editor, and what the window
// says while it holds no clips.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/theme/contrast.h"
#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/high_contrast_scheme.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/screen_pixels.h"
#include "tests/e2e/stored_clips.h"
#include "tests/e2e/window_shot.h"
#include "tests/support/screen_text_marks.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

using namespace std::chrono_literals;

enum class ELook { kLight, kDark, kHighContrast };

struct ContrastCase {
  ELook look;
  bool withClips;
};

std::string LookName(ELook look) {
  switch (look) {
    case ELook::kDark:
      return "dark";
    case ELook::kHighContrast:
      return "high-contrast";
    case ELook::kLight:
      break;
  }
  return "light";
}

std::string CaseName(const ::testing::TestParamInfo<ContrastCase>& info) {
  std::string name = LookName(info.param.look) + (info.param.withClips ? "WithClips" : "Empty");
  std::erase(name, '-');
  return name;
}

POINT CentreOf(HWND window) {
  const RECT rect = WindowRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

ImageRect Within(const RECT& outer, const RECT& inner) {
  return {inner.left - outer.left, inner.top - outer.top, inner.right - outer.left,
          inner.bottom - outer.top};
}

std::string Hex(std::uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof(text), "%06X", static_cast<unsigned>(colour));
  return text;
}

class TextContrastTest : public ProgramTest, public ::testing::WithParamInterface<ContrastCase> {
 protected:
  void SetUp() override {
    // Opaque, so the screen shows the window's own colours.
    installation.SetSetting(Settings::kWindowTransparency, 255);
    const ELook look = GetParam().look;
    installation.SetSetting(Settings::kTheme, look == ELook::kDark ? Settings::kThemeDark
                                              : look == ELook::kLight
                                                  ? Settings::kThemeLight
                                                  : Settings::kThemeFollowSystem);
    if (GetParam().withClips) {
      WriteTextClips(installation.DataFile(),
                     {{u"Meeting moved to Thursday, 10:30 in room 4.12", 10},
                      {u"https://example.org/quarterly-report.pdf", 10},
                      {u"git log --oneline --graph --all", 10},
                      {u"Dear Ann, thank you for the quick reply.", 10},
                      {u"Account: 4711-0815-42", 11}});
    }
  }

  // Every text mark of the area, each judged; returns how many were found.
  size_t CheckArea(const ScreenImage& shot, const ImageRect& area, const char* what,
                   size_t atLeast) {
    const ScreenTextMarks marks = FindTextMarks(shot, area);
    EXPECT_GE(marks.texts.size(), atLeast) << what << ": too few texts found to judge";
    double lowest = 21;
    for (const TextMark& mark : marks.texts) {
      lowest = std::min(lowest, mark.contrast);
      EXPECT_GE(mark.contrast, kMinimumTextContrast)
          << what << ": text at (" << mark.bounds.left << ", " << mark.bounds.top << ")-("
          << mark.bounds.right << ", " << mark.bounds.bottom << ") drawn #" << Hex(mark.ink)
          << " on #" << Hex(mark.background);
    }
    std::printf("%s %s: %zu texts, lowest contrast %.2f:1 (%d icons, pictures or lines)\n",
                LookName(GetParam().look).c_str(), what, marks.texts.size(), lowest,
                marks.otherMarks);
    return marks.texts.size();
  }
};

TEST_P(TextContrastTest, EveryDrawnTextHasAtLeastBodyTextContrast) {
  std::optional<HighContrastScheme> scheme;
  if (GetParam().look == ELook::kHighContrast) {
    scheme.emplace();
    ASSERT_TRUE(scheme->Set());
  }
  auto program = Start();
  ASSERT_NE(program, nullptr);
  // A copy, so that the header has a caption to show.
  if (GetParam().withClips) {
    ASSERT_TRUE(CopyAndWait(*program, u"Lunch with Ann at 12:30"));
  }
  ClickAt(CentreOf(program->Control(kIdOpenClipboard)));
  HWND tree = program->Control(kIdItemsTree);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tree) != FALSE; }));
  ClickAt(CentreOf(program->Control(kIdPin)));
  const RECT rows = WindowRect(tree);
  // The first clip, below the history's own row, so that a selected row is judged too.
  if (GetParam().withClips) ClickAt({rows.left + 60, rows.top + 39});
  const RECT window = WindowRect(program->MainWindow());
  SetCursorPos(window.left + 30, window.top + 8);
  PumpFor(700ms);
  KeepWindowShot(program->MainWindow(),
                 "contrast-" + LookName(GetParam().look) + (GetParam().withClips ? "" : "-empty"));

  const ScreenImage shot = ScreenPixels(window);
  ASSERT_FALSE(shot.pixels.empty());
  // The header: the caption, left of the buttons.
  const RECT open = WindowRect(program->Control(kIdOpenClipboard));
  const RECT pin = WindowRect(program->Control(kIdPin));
  const RECT caption{window.left + 2, window.top + 1, std::min(open.left, pin.left) - 2, rows.top};
  CheckArea(shot, Within(window, caption), "header", 2);
  // The tree, inside its frame, without a scroll bar.
  RECT client{};
  GetClientRect(tree, &client);
  POINT origin{0, 0};
  ClientToScreen(tree, &origin);
  const RECT list{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  CheckArea(shot, Within(window, list), "list", GetParam().withClips ? 20 : 1);

  // A selected category: End selects the last row, "Quick notes".
  ClickAt({rows.left + 60, rows.top + 8});
  TypeChord({VK_END});
  SetCursorPos(window.left + 30, window.top + 8);
  PumpFor(500ms);
  KeepWindowShot(program->MainWindow(), "contrast-" + LookName(GetParam().look) +
                                            (GetParam().withClips ? "" : "-empty") + "-category");
  CheckArea(ScreenPixels(window), Within(window, list), "list, a category selected",
            GetParam().withClips ? 20 : 1);

  if (GetParam().withClips) {
    // The preview of a clip, shown while the pointer rests on its row.
    SetCursorPos(rows.left + 80, rows.top + 39 + 26);
    HWND preview = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
      preview = FindProcessWindow(program->ProcessId(), L"QuilleryClipPreview");
      return preview != nullptr && IsWindowVisible(preview) != FALSE;
    })) << "no preview came";
    PumpFor(300ms);
    const RECT shown = WindowRect(preview);
    const ScreenImage previewShot = ScreenPixels(shown);
    ASSERT_FALSE(previewShot.pixels.empty());
    CheckArea(previewShot, {1, 1, previewShot.width - 1, previewShot.height - 1}, "preview", 5);

    // The search field with a query typed.
    ClickAt({rows.left + 60, rows.top + 39});
    TypeChord({VK_CONTROL, 'F'});
    HWND field = program->Control(kIdSearchField);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(field) != FALSE; })) << "no search field";
    for (WORD key : {'M', 'E', 'E', 'T'}) TypeChord({key});
    SetCursorPos(window.left + 30, window.top + 8);
    PumpFor(500ms);
    RECT fieldRect = WindowRect(field);
    InflateRect(&fieldRect, -2, -2);
    CheckArea(ScreenPixels(window), Within(window, fieldRect), "search field", 1);
    TypeChord({VK_ESCAPE});

    // The editor, with the selected clip's text.
    ClickAt({rows.left + 60, rows.top + 39});
    TypeChord({VK_F2});
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
      editor = GetForegroundWindow();
      return editor != nullptr && editor != program->MainWindow() &&
             WindowText(editor).starts_with(u"Edit clip");
    })) << "no editor";
    PumpFor(500ms);
    KeepWindowShot(editor, "contrast-" + LookName(GetParam().look) + "-editor");
    // Each control inside its own frame: the frames of an edit and of buttons are no text.
    std::vector<HWND> controls;
    EnumChildWindows(
        editor,
        [](HWND child, LPARAM found) {
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    size_t texts = 0;
    for (HWND control : controls) {
      if (IsWindowVisible(control) == FALSE) continue;
      RECT inside{};
      GetClientRect(control, &inside);
      MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&inside), 2);
      InflateRect(&inside, -3, -3);
      const ScreenImage controlShot = ScreenPixels(inside);
      if (controlShot.pixels.empty()) continue;
      wchar_t className[16] = {};
      GetClassNameW(control, className, 16);
      if (GetParam().look == ELook::kDark && std::wstring_view(className) == L"Edit") {
        EXPECT_LT(RelativeLuminance(controlShot.At(0, controlShot.height - 1)), 0.05)
            << "the editor's text is not on dark";
      }
      texts += CheckArea(controlShot, {0, 0, controlShot.width, controlShot.height},
                         "editor's control", 0);
    }
    EXPECT_GE(texts, 5u) << "too few texts found in the editor to judge";
    PostMessageW(editor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindow(editor) == FALSE; }));
  }
  EXPECT_TRUE(program->Close());
}

INSTANTIATE_TEST_SUITE_P(
    Looks, TextContrastTest,
    ::testing::Values(ContrastCase{ELook::kLight, true}, ContrastCase{ELook::kDark, true},
                      ContrastCase{ELook::kHighContrast, true}, ContrastCase{ELook::kLight, false},
                      ContrastCase{ELook::kDark, false}, ContrastCase{ELook::kHighContrast, false}),
    CaseName);

}  // namespace
