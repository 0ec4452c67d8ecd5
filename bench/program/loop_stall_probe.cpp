#include "bench/program/loop_stall_probe.h"

#include <algorithm>

namespace {

// Long enough for any capture the benchmark allows; a window that is gone ends it at once.
constexpr UINT kAnswerPatienceMs = 600'000;

double SecondsBetween(CLoopStallProbe::Clock::time_point from,
                      CLoopStallProbe::Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// Milliseconds of a wait from `sent` to `back` that fell after `mark`.
double WaitAfterMarkMs(CLoopStallProbe::Clock::time_point sent,
                       CLoopStallProbe::Clock::time_point back,
                       CLoopStallProbe::Clock::time_point mark) {
  return back > mark ? SecondsBetween(std::max(sent, mark), back) * 1000 : 0;
}

}  // namespace

CLoopStallProbe::CLoopStallProbe(HWND window, std::chrono::milliseconds interval)
    : window_(window), interval_(interval), started_(Clock::now()), thread_([this] { Run(); }) {}

CLoopStallProbe::~CLoopStallProbe() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void CLoopStallProbe::Mark() {
  std::lock_guard lock(mutex_);
  marked_ = true;
  mark_ = Clock::now();
}

CLoopStallProbe::CFigures CLoopStallProbe::Figures() const {
  std::lock_guard lock(mutex_);
  CFigures figures = figures_;
  if (waiting_) {
    const double waitedMs = SecondsBetween(waitingSince_, Clock::now()) * 1000;
    if (marked_) {
      figures.longestSinceMarkMs =
          std::max(figures.longestSinceMarkMs, WaitAfterMarkMs(waitingSince_, Clock::now(), mark_));
    }
    if (waitedMs > figures.longestMs) {
      figures.longestMs = waitedMs;
      figures.longestStartedS = SecondsBetween(started_, waitingSince_);
      figures.longestUnanswered = true;
    }
  }
  return figures;
}

void CLoopStallProbe::Run() {
  for (;;) {
    const Clock::time_point sent = Clock::now();
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      waiting_ = true;
      waitingSince_ = sent;
    }
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerPatienceMs, &result) != 0;
    const Clock::time_point back = Clock::now();
    std::unique_lock lock(mutex_);
    waiting_ = false;
    if (!answered) return;  // the window is gone: nothing more to measure
    const double ms = SecondsBetween(sent, back) * 1000;
    ++figures_.probes;
    if (ms > figures_.longestMs) {
      figures_.longestMs = ms;
      figures_.longestStartedS = SecondsBetween(started_, sent);
    }
    if (marked_) {
      figures_.longestSinceMarkMs =
          std::max(figures_.longestSinceMarkMs, WaitAfterMarkMs(sent, back, mark_));
    }
    if (ms > 100) {
      ++figures_.stallsOver100Ms;
      figures_.stalledS += ms / 1000;
      if (figures_.firstStalls.size() < kStallsListed) {
        figures_.firstStalls.push_back({SecondsBetween(started_, sent), ms});
      }
    }
    wake_.wait_for(lock, interval_, [this] { return stopping_; });
  }
}
