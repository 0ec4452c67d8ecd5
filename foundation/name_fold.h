#pragma once
// Program names compared without regard to case, in any script: each character replaced by
// its simple case folding (one character for one), as the system compares file names.

#include <string>
#include <string_view>

// `name` with every character folded; a lone surrogate stays as it is.
std::u16string FoldProgramName(std::u16string_view name);
