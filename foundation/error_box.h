#pragma once
// The message box through which the foundation tells the user of a failure it cannot
// report otherwise. Tests put a handler in its place so that no box waits for a click.

#include <functional>
#include <string>

using ErrorBoxHandler = std::function<void(const std::string& text)>;

// Shows `text` (UTF-8) with an OK button and waits for it, or hands it to the handler if one is
// set.
void ShowErrorBox(const std::string& text);

// Sets the handler (an empty one restores the message box) and returns the one before.
ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler);
