#include "platform/sim/sim_state.h"

#include "platform/sim/sim_control.h"

namespace sim::detail {

Model& State() {
  static Model model;
  return model;
}

std::uintptr_t NewHandleValue() {
  // Steps of 4 keep the values aligned like real handles.
  State().nextHandle += 4;
  return State().nextHandle;
}

GlobalBlock* FindGlobal(HANDLE handle) {
  auto& globals = State().globals;
  auto found = globals.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == globals.end() ? nullptr : found->second.get();
}

DeviceBitmap* FindBitmap(HANDLE handle) {
  auto& bitmaps = State().bitmaps;
  auto found = bitmaps.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == bitmaps.end() ? nullptr : found->second.get();
}

void FreeClipboardHandle(UINT format, HANDLE handle) {
  if (handle == nullptr) return;
  auto key = reinterpret_cast<std::uintptr_t>(handle);
  if (format == CF_BITMAP) {
    State().bitmaps.erase(key);
  } else {
    State().globals.erase(key);
  }
}

void RecordMisuse(std::string what) {
  State().misuses.push_back(std::move(what));
}

}  // namespace sim::detail

namespace sim {

using detail::State;

void Reset() {
  auto& model = State();
  auto& clipboard = model.clipboard;
  for (const auto& entry : clipboard.entries) detail::FreeClipboardHandle(entry.format, entry.data);
  for (const auto& entry : clipboard.synthesised) {
    detail::FreeClipboardHandle(entry.format, entry.data);
  }
  auto formats = std::move(clipboard.registeredFormats);  // names stay registered, as in a session
  clipboard = detail::ClipboardState{};
  clipboard.registeredFormats = std::move(formats);
  model.failingAllocs = 0;
  model.keysDown.fill(false);
  model.fixedTime.reset();
  model.misuses.clear();
  model.diskSpace = UINT64_MAX;
  model.failingFileCalls.clear();
  model.skipDiskSync = false;
  model.moduleFileName.clear();
  model.appDataFolder.clear();
  model.currentDriveRoot = "/";
  model.messageBoxes.clear();
  model.failingRegistryCalls.clear();
  model.registryHandles.clear();
  model.localMachine = std::make_shared<detail::RegistryKey>();
  model.currentUser = std::make_shared<detail::RegistryKey>();
  model.sentKeys.clear();
  model.delaySentInput = false;
  model.pendingInput.clear();
  model.sentInputCuts.clear();
  model.keyboardLayout = kLayoutUnitedStates;
  model.buttonsSwapped = false;
  model.userLocale = u"en-US";
  model.foreground = nullptr;
  model.windowProcesses.clear();
  model.processes.clear();
  model.processHandles.clear();
  model.accountSecrets.clear();
  model.currentAccount = 0;
}

HWND NewWindowHandle() {
  return reinterpret_cast<HWND>(detail::NewHandleValue());
}

void FailNextGlobalAllocs(int count) {
  State().failingAllocs = count;
}

std::size_t LiveGlobalBlocks() {
  return State().globals.size();
}

std::size_t LiveBitmaps() {
  return State().bitmaps.size();
}

const std::vector<std::string>& HandleMisuses() {
  return State().misuses;
}

}  // namespace sim
