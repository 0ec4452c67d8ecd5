#pragma once
// How long a window's message loop goes without answering: a thread of its own sends the
// window WM_NULL every few milliseconds and times each round trip. A window that does not
// answer at all shows as a stall as long as it has been waiting so far.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/windows_api.h"

class CLoopStallProbe {
 public:
  using Clock = std::chrono::steady_clock;

  // What the probe saw from its start until the moment it was asked.
  struct CFigures {
    double longestMs = 0;        // the longest round trip, or wait still going on
    double longestStartedS = 0;  // when it began, in seconds from the start
    bool longestUnanswered = false;
    int probes = 0;           // round trips completed
    int stallsOver100Ms = 0;  // of them, those over 100 ms
    double stalledS = 0;      // the time those stalls took in all
    struct CStall {
      double startedS;
      double ms;
    };
    std::vector<CStall> firstStalls;  // the first kStallsListed of those, in order
    double longestSinceMarkMs = 0;    // the longest wait, counted only from Mark() on
  };
  static constexpr std::size_t kStallsListed = 12;

  // Starts probing `window` at once, a round trip each `interval` at most.
  CLoopStallProbe(HWND window, std::chrono::milliseconds interval);
  // Stops the thread; a round trip still waiting ends when the window answers or goes.
  ~CLoopStallProbe();
  CLoopStallProbe(const CLoopStallProbe&) = delete;
  CLoopStallProbe& operator=(const CLoopStallProbe&) = delete;

  Clock::time_point Started() const { return started_; }
  // From now on the waits are also counted apart, each from this moment at the earliest:
  // what follows an event (the content placed) told from what overlapped it.
  void Mark();
  CFigures Figures() const;

 private:
  void Run();

  HWND window_;
  std::chrono::milliseconds interval_;
  Clock::time_point started_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  CFigures figures_;
  bool waiting_ = false;
  bool marked_ = false;
  Clock::time_point mark_;
  Clock::time_point waitingSince_;
  std::thread thread_;  // last: starts once everything above exists
};
