#include "foundation/question_box.h"

#include <string>
#include <utility>

namespace {
QuestionBoxHandler questionBoxHandler;
}  // namespace

bool AskYesNo(HWND owner, std::u16string_view text) {
  if (questionBoxHandler) return questionBoxHandler(text);
  const std::u16string question(text);
  return MessageBoxW(owner, AsWide(question.c_str()), AsWide(u"Confirm"),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

QuestionBoxHandler SetQuestionBoxHandler(QuestionBoxHandler next) {
  return std::exchange(questionBoxHandler, std::move(next));
}
