// Closing: the order of the steps, and what a data file that cannot be written does.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/window/closing_sequence.h"

namespace {

class CFakeClosingPort : public CClosingPort {
 public:
  void StopClipboardWatch() override { steps.push_back("stop watching"); }
  void StartClipboardWatch() override { steps.push_back("watch again"); }
  void SaveData() override {
    steps.push_back("save");
    if (saveFails) throw std::runtime_error("Cannot write data file D:\\data.dat");
  }
  void ShowSaveError(const std::string& message) override { steps.push_back("error: " + message); }
  void ReleaseHandler() override { steps.push_back("release handler"); }
  void WritePosition() override {
    steps.push_back("position");
    if (positionFails) throw std::runtime_error("Cannot write settings file");
  }
  void ReleaseSettings() override { steps.push_back("release settings"); }

  bool saveFails = false;
  bool positionFails = false;
  std::vector<std::string> steps;
};

using Steps = std::vector<std::string>;

TEST(ClosingSequenceTest, RunsEveryStepInOrder) {
  CFakeClosingPort port;
  EXPECT_TRUE(RunClosingSequence(port, ECloseReason::kExit));
  EXPECT_EQ(port.steps,
            (Steps{"stop watching", "save", "release handler", "position", "release settings"}));
}

TEST(ClosingSequenceTest, AFailedSaveAtExitKeepsWatchingTheClipboard) {
  CFakeClosingPort port;
  port.saveFails = true;
  EXPECT_FALSE(RunClosingSequence(port, ECloseReason::kExit));
  EXPECT_EQ(port.steps, (Steps{"stop watching", "save",
                               "error: Cannot write data file D:\\data.dat", "watch again"}));
}

TEST(ClosingSequenceTest, AtSessionEndAFailedSaveStillEndsQuietly) {
  CFakeClosingPort port;
  port.saveFails = true;
  port.positionFails = true;
  EXPECT_TRUE(RunClosingSequence(port, ECloseReason::kSessionEnd));
  EXPECT_EQ(port.steps,
            (Steps{"stop watching", "save", "release handler", "position", "release settings"}));
}

}  // namespace
