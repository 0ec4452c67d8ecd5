#pragma once
// Which program made the clipboard's content: the one whose window owns the clipboard.

#include <string>

#include "platform/handles.h"
#include "platform/windows_api.h"

// Asks which program made the clipboard's content, copy after copy. The process last asked
// about stays open, with its program remembered: while a handle to a process is open the
// system gives its id to no other process, so the next copy by the same process (a burst
// from one program, the usual case) costs two questions to the system instead of five.
class CClipboardOwnerLookup {
 public:
  // The full path of the executable of the clipboard owner window's process, or, when the
  // clipboard has no owner or that process cannot be asked (it ended, or runs at a higher
  // integrity level), of the process of the window in front. Empty when neither can be
  // told. The clipboard need not be open.
  std::u16string OwnerProgram();

 private:
  std::u16string ProgramOfWindow(HWND window);

  DWORD processId_ = 0;
  UniqueProcess process_;
  std::u16string program_;
};

// The same, asked once, keeping nothing open.
std::u16string ClipboardOwnerProgram();
