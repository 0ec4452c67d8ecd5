// How long an automatic save holds the message loop, with 12 pictures of 1920 x 1080 in
// the history: every tick's Poll is timed while a save runs, and the longest is reported
// beside what a save on the loop itself (serialising and writing the whole store at once)
// would cost. Target: the longest pause under 50 ms. Runs natively and under Wine:
//   build/bench/bench/autosave/autosave_pause_bench
//   scripts/wine-test.sh build/windows/bench/autosave/autosave_pause_bench.exe

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "app/autosave/auto_save.h"
#include "store/image_item.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void AddPictures(CDataBase& store, int count) {
  for (int n = 0; n < count; ++n) {
    auto picture = std::make_unique<TBitmap>(1920, 1080, 32);
    for (int y = 0; y < picture->Height(); ++y) {
      std::uint8_t* row = picture->Row(y);
      for (std::size_t x = 0; x < picture->Stride(); ++x) {
        row[x] = static_cast<std::uint8_t>(x * 7 + y * 3 + n);
      }
    }
    auto clip = std::make_unique<CImageItem>();
    clip->categoryId = kHistoryCategoryId;
    clip->SetPicture(std::move(picture));
    store.AppendClip(std::move(clip));
  }
}

}  // namespace

int main() {
  CTempFolder folder;
  CDataBase store;
  AddPictures(store, 12);

  const auto wholeStart = Clock::now();
  store.SaveToFile(folder.Path() / "whole.dat");
  const double wholeSave = MillisecondsSince(wholeStart);

  CAutoSaver saver(folder.Path() / "data.dat");
  saver.Reset(store);
  saver.MarkChanged();
  std::uint32_t now = 0;
  // Change noticed, then quiet for the save's delay: no save yet.
  store.FindItem(store.Items().front()->id)->hotKey = 0x4031;  // a change to save
  saver.Poll(store, now);
  now += CAutoSaveSchedule::kQuietMs;

  double longest = 0;
  int polls = 0;
  const auto saveStart = Clock::now();
  do {
    const auto pollStart = Clock::now();
    saver.Poll(store, now);
    const double pause = MillisecondsSince(pollStart);
    if (std::getenv("QUILLERY_BENCH_VERBOSE")) std::printf("tick %d: %.2f ms\n", polls, pause);
    longest = std::max(longest, pause);
    ++polls;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));  // the timer's interval
    now += 10;
  } while (saver.Saving() && polls < 100000);
  const double saveTime = MillisecondsSince(saveStart);

  const auto bytes = std::filesystem::file_size(folder.Path() / "data.dat");
  std::printf("store: 12 pictures of 1920 x 1080, %.1f MiB data file\n",
              static_cast<double>(bytes) / (1 << 20));
  std::printf("whole save on the loop:   %8.1f ms (one pause)\n", wholeSave);
  std::printf("automatic save:           %8.1f ms over %d ticks\n", saveTime, polls);
  std::printf("longest pause of a tick:  %8.1f ms (target < 50 ms)%s\n", longest,
              saver.LastError() ? "  SAVE FAILED" : "");
  return longest < 50 && !saver.LastError() ? 0 : 1;
}
