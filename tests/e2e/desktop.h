#pragma once
// The desktop as another program sees it: waiting while this thread's windows go on
// handling their messages, finding the windows of a process, reading their text across
// processes, and typing keys as the keyboard would.

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/windows_api.h"

// Patience for things the program does in reply to a message or a copy.
inline constexpr std::chrono::milliseconds kReplyTimeout{5000};

// Handles the messages waiting for this thread's windows (without turning keys into
// characters, so that typed hot keys never land as text in our own edit).
void PumpMessages();

// Keeps handling this thread's messages until `condition` holds or `timeout` has passed;
// true when it held. The condition is tested at least every few milliseconds.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kReplyTimeout);

// Handles this thread's messages for that long.
void PumpFor(std::chrono::milliseconds duration);

// The first top-level window of the process with that class and, unless null, that
// title; null when there is none.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);

// The window's text, asked of its owner with WM_GETTEXT (works across processes); empty
// when the owner does not answer within a second.
std::u16string WindowText(HWND window);

// The texts of every child window, joined with line breaks (a message box's text is one).
std::u16string ChildTexts(HWND window);

// Screen rectangle of the window.
RECT WindowRect(HWND window);

// Moves the cursor to the screen point and clicks the left button there.
void ClickAt(POINT point);
// The same with the right button.
void RightClickAt(POINT point);
// The same with a double click.
void DoubleClickAt(POINT point);

// Presses or releases one key, as the keyboard would.
void PressKey(WORD key, bool down);

// Types a key combination: presses `keys` in order, a little apart, holds them long enough
// for a program that polls the key state every 10 ms to see them, then releases them in
// the reverse order. This thread's messages are handled meanwhile.
void TypeChord(std::initializer_list<WORD> keys);

// Starts the shell script with `argument` (one word to the script, spaces and all) with
// Wine's Unix shell, and leaves it running: how a test acts as a Linux program would.
bool StartUnixScript(const char* script, const std::string& argument);
