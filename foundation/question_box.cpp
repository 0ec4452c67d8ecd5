#include "foundation/question_box.h"

#include <string>
#include <utility>

namespace {
QuestionBoxHandler handler;
}  // namespace

bool AskYesNo(HWND owner, std::u16string_view text) {
  if (handler) return handler(text);
  const std::u16string question(text);
  return MessageBoxW(owner, AsWide(question.c_str()), AsWide(u"Confirm"),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

QuestionBoxHandler SetQuestionBoxHandler(QuestionBoxHandler next) {
  return std::exchange(handler, std::move(next));
}
