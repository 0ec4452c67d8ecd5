// The driver over the model: windows are plain handles, the viewer a callback, and the
// other program's thread a hold on the model's clock.

#include "platform/sim/sim_control.h"
#include "tests/support/clipboard_driver.h"

namespace {
class CModelHold : public CClipboardDriver::CHold {
 public:
  explicit CModelHold(DWORD milliseconds) { sim::HoldClipboardFromAnotherThread(milliseconds); }
  ~CModelHold() override { sim::ReleaseClipboardFromAnotherThread(); }
};
}  // namespace

void CClipboardDriver::SetUpPlatform() {
  sim::Reset();
  owner_ = sim::NewWindowHandle();
  other_ = sim::NewWindowHandle();
  sim::SetClipboardViewer([this] { NotifyChange(); });
}

void CClipboardDriver::TearDownPlatform() {
  sim::SetClipboardViewer(nullptr);
}

std::unique_ptr<CClipboardDriver::CHold> CClipboardDriver::HoldOpen(DWORD milliseconds) {
  return std::make_unique<CModelHold>(milliseconds);
}

bool CClipboardDriver::CanFailAllocations() {
  return true;
}

void CClipboardDriver::FailNextAllocations(int count) {
  sim::FailNextGlobalAllocs(count);
}
