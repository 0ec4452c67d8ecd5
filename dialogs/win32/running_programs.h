#pragma once
// The programs a user can see running: those with a visible top-level window.

#include <string>
#include <vector>

// The full image paths of the processes, other than this one, that have a visible top-level
// window, each once, in the order their windows are stacked. A process whose path cannot be
// asked (one of another user, or elevated) is left out.
std::vector<std::u16string> RunningProgramPaths();
