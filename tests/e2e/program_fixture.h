#pragma once
// What every end-to-end case starts from: the clipboard of this process (emptied, so the
// program's start captures nothing) and a fresh installation of the program.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"
#include "tests/support/clipboard_driver.h"

class ProgramTest : public ::testing::Test {
 protected:
  // Starts the installation's program and waits for its main window; null if either
  // failed (a program without a window is ended).
  std::unique_ptr<CRunningProgram> Start() {
    auto program = std::make_unique<CRunningProgram>(installation.Program());
    if (!program->Started() || program->WaitForMainWindow() == nullptr) return nullptr;
    return program;
  }

  // Copies the text as another program would and waits for the program to show it.
  ::testing::AssertionResult CopyAndWait(const CRunningProgram& program,
                                         const std::u16string& text) {
    if (!driver.CopyText(text)) return ::testing::AssertionFailure() << "the copy failed";
    if (!program.WaitForHeader(text)) {
      return ::testing::AssertionFailure() << "the header never showed the copy";
    }
    return ::testing::AssertionSuccess();
  }

  CClipboardDriver driver;
  CProgramInstallation installation;
};
