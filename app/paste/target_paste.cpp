#include "app/paste/target_paste.h"

namespace {

ETargetFront WaitForFront(CPasteTargetPort& target, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (!target.TargetExists()) return ETargetFront::kGone;
    if (target.TargetInFront()) return ETargetFront::kInFront;
    if (GetTickCount() - start >= milliseconds) return ETargetFront::kKeptBehind;
    target.ProcessWaitingMessages();
    Sleep(kForegroundPollMilliseconds);
  }
}

EPasteResult PasteByWay(CPasteTargetPort& target, EPasteMethod method, bool inFront) {
  const EPasteWay way = target.WayFor(method);
  if (way == EPasteWay::kMessage) {
    if (target.PostPasteMessage()) return EPasteResult::kPasted;
    return target.TargetExists() ? EPasteResult::kRefused : EPasteResult::kTargetGone;
  }
  if (!inFront) return EPasteResult::kKeptBehind;
  const EPasteChord chord =
      way == EPasteWay::kShiftInsert ? EPasteChord::kShiftInsert : EPasteChord::kCtrlV;
  return target.TypePasteChord(chord) ? EPasteResult::kPasted : EPasteResult::kRefused;
}

}  // namespace

std::optional<std::u16string> PasteFailureNotice(EPasteResult result) {
  switch (result) {
    case EPasteResult::kPasted:
      return std::nullopt;
    case EPasteResult::kTargetGone:
      return u"Not pasted: the program had closed. The clip is on the clipboard.";
    case EPasteResult::kKeptBehind:
      return u"Not pasted: the program did not come to the front. The clip is on the "
             u"clipboard: press Ctrl+V there.";
    case EPasteResult::kRefused:
      return u"Not pasted: the program did not take it (it may run as administrator). The "
             u"clip is on the clipboard: press Ctrl+V there.";
  }
  return std::nullopt;
}

ETargetFront BringTargetToFront(CPasteTargetPort& target) {
  if (!target.TargetExists()) return ETargetFront::kGone;
  if (target.TargetInFront()) return ETargetFront::kInFront;
  target.AskForFront(false);
  const ETargetFront first = WaitForFront(target, kForegroundPatienceMilliseconds / 2);
  if (first != ETargetFront::kKeptBehind) return first;
  target.AskForFront(true);
  return WaitForFront(target, kForegroundPatienceMilliseconds / 2);
}

EPasteResult PasteIntoTarget(CPasteTargetPort& target, EPasteMethod method) {
  target.ProcessWaitingMessages();
  const ETargetFront front = BringTargetToFront(target);
  if (front == ETargetFront::kGone) return EPasteResult::kTargetGone;
  target.ProcessWaitingMessages();
  Sleep(kSettleMilliseconds);
  if (!target.TargetExists()) return EPasteResult::kTargetGone;
  return PasteByWay(target, method, front == ETargetFront::kInFront);
}

EPasteResult PasteIntoFront(CPasteTargetPort& front, EPasteMethod method) {
  front.ProcessWaitingMessages();
  Sleep(kSettleMilliseconds);
  return PasteByWay(front, method, true);
}
