#include "store/png_encoder.h"

#include <condition_variable>
#include <deque>
#include <thread>
#include <utility>

#include "platform/png_codec.h"

std::optional<std::vector<std::uint8_t>> CPendingPng::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(png_, std::nullopt);
}

// One thread for the program, started with the first picture. It is left to end on its
// own: the program's exit does not wait for the picture it is encoding, and a save made
// before then writes the BMP record, which serves as well.
class CPngEncoder {
 public:
  static CPngEncoder& Instance() {
    static CPngEncoder encoder;
    return encoder;
  }
  ~CPngEncoder() {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
    shared_->queue.clear();
    shared_->wake.notify_all();
  }
  CPngEncoder(const CPngEncoder&) = delete;
  CPngEncoder& operator=(const CPngEncoder&) = delete;

  void Enqueue(std::shared_ptr<const TBitmap> picture, std::weak_ptr<CPendingPng> result) {
    std::lock_guard lock(shared_->mutex);
    if (!started_) {
      std::thread(Run, shared_).detach();
      started_ = true;
    }
    shared_->queue.push_back({std::move(picture), std::move(result)});
    shared_->wake.notify_all();
  }

  void Pause(bool paused) {
    std::lock_guard lock(shared_->mutex);
    shared_->paused = paused;
    shared_->wake.notify_all();
  }

  void WaitUntilIdle() {
    std::unique_lock lock(shared_->mutex);
    shared_->wake.wait(lock, [&] { return shared_->queue.empty() && !shared_->busy; });
  }

  std::size_t Done() {
    std::lock_guard lock(shared_->mutex);
    return shared_->done;
  }

 private:
  CPngEncoder() = default;

  struct CJob {
    std::shared_ptr<const TBitmap> picture;
    std::weak_ptr<CPendingPng> result;
  };
  // Outlives the encoder object: the thread holds it until it ends.
  struct CShared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<CJob> queue;
    bool busy = false;
    bool paused = false;
    bool stopping = false;
    std::size_t done = 0;
  };

  static void Run(std::shared_ptr<CShared> shared) {
    const CPngCodecThread codec;
    std::unique_lock lock(shared->mutex);
    for (;;) {
      shared->wake.wait(
          lock, [&] { return shared->stopping || (!shared->paused && !shared->queue.empty()); });
      if (shared->stopping) return;
      CJob job = std::move(shared->queue.front());
      shared->queue.pop_front();
      // A clip deleted or trimmed before its turn costs no encode.
      if (job.result.expired()) {
        shared->wake.notify_all();
        continue;
      }
      shared->busy = true;
      lock.unlock();
      std::vector<std::uint8_t> png = job.picture->ToPng();
      job.picture.reset();
      if (const std::shared_ptr<CPendingPng> result = job.result.lock()) {
        std::lock_guard resultLock(result->mutex_);
        result->png_ = std::move(png);
      }
      lock.lock();
      shared->busy = false;
      ++shared->done;
      shared->wake.notify_all();
    }
  }

  std::shared_ptr<CShared> shared_ = std::make_shared<CShared>();
  bool started_ = false;
};

std::shared_ptr<CPendingPng> EncodePngLater(std::shared_ptr<const TBitmap> picture) {
  auto result = std::make_shared<CPendingPng>();
  CPngEncoder::Instance().Enqueue(std::move(picture), result);
  return result;
}

void PausePngEncodes(bool paused) {
  CPngEncoder::Instance().Pause(paused);
}

void WaitForPngEncodes() {
  CPngEncoder::Instance().WaitUntilIdle();
}

std::size_t PngEncodesDone() {
  return CPngEncoder::Instance().Done();
}
