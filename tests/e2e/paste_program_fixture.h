#pragma once
// What the paste and popup cases start from: the program with two notes and three history
// clips ("gamma" the newest), the clipboard emptied afterwards, so that whatever lands in a
// target was put there by a paste.

#include <chrono>
#include <memory>

#include "app/window/win32/main_window_ids.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

// Long enough for a second, unwanted paste to have arrived.
inline constexpr std::chrono::milliseconds kAfterPaste{500};

class PasteProgramTest : public ProgramTest {
 protected:
  void StartWithClips() {
    WriteTextClips(installation.DataFile(),
                   {{u"first note", kNotesCategoryId}, {u"second note", kNotesCategoryId}});
    program = Start();
    ASSERT_TRUE(program);
    for (const auto* text : {u"alpha", u"beta", u"gamma"}) ASSERT_TRUE(CopyAndWait(*program, text));
    ASSERT_TRUE(driver.Clear());
  }

  bool PopupShown() const { return IsWindowVisible(program->Control(kIdAutoPaste)) != FALSE; }

  // Puts the cursor where the popup opens beside it on any work area.
  static void PlaceCursorForThePopup() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetCursorPos(work.left + 300, work.top + 200);
  }

  std::unique_ptr<CRunningProgram> program;
};
