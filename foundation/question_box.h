#pragma once
// The confirmation questions the program asks before destructive steps ("Delete all
// items?"): a message box with Yes and No. Tests put a handler in its place, which answers.

#include <functional>
#include <string_view>

#include "platform/windows_api.h"

using QuestionBoxHandler = std::function<bool(std::u16string_view text)>;

// Asks `text` (any script) with the buttons Yes and No, owned by `owner` (may be null);
// true for Yes. With a handler set, the handler answers instead.
bool AskYesNo(HWND owner, std::u16string_view text);

// Sets the handler (an empty one restores the message box) and returns the one before.
QuestionBoxHandler SetQuestionBoxHandler(QuestionBoxHandler handler);
