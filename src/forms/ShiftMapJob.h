// The shift map computed in the background. The map of a pair is the
// complete check over tens of thousands of shift pairs: it takes seconds, so
// it runs on a thread of its own while the windows go on answering. A start
// takes a copy of the pair and computes a coarse map first, which shows
// within moments, then the fine one; each is published when done. The front
// end polls: TakeScene hands over a published map once.
//
// A new start stops the map being computed (the cancel flag the computation
// tests between its rows and stages) and waits for its thread; so does the
// destructor, so no thread outlives the job. The grid itself is split over
// the machine's cores by the computation.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/ShiftMap.h"
#include "model/GearPair.h"
#include "report/ShiftMapScene.h"

namespace kolmira {

class ShiftMapJob {
 public:
  // Grid points along x1 of the first map shown and of the map that
  // replaces it: 51 is quick enough to show at once, 201 draws the
  // boundaries smooth at the window's size.
  static constexpr int kCoarseSize = 51;
  static constexpr int kFineSize = 201;

  ShiftMapJob() = default;
  ~ShiftMapJob();
  ShiftMapJob(const ShiftMapJob&) = delete;
  ShiftMapJob& operator=(const ShiftMapJob&) = delete;

  // Computes the maps of `pair` over `range`: the coarse, then the fine.
  // A map still being computed is stopped first, and a map it published
  // but nobody took is dropped.
  void Start(const GearPair& pair, const ShiftMapRange& range);
  // Stops the map being computed and waits for it; nothing more is
  // published.
  void Cancel();
  // Asks the map being computed to stop, without waiting for it (the next
  // Start or the destructor waits).
  void Stop() { cancel_.store(true); }

  // The map published last, once; nullopt when none is new.
  std::optional<ShiftMapScene> TakeScene();
  // True from Start until the fine map is published (or the job stopped).
  bool busy() const { return busy_.load(); }
  // How many maps have been published since the job was made.
  int published() const;
  // Whether the fine map of the last start has been published.
  bool finished() const;

 private:
  void Run(GearPair pair, ShiftMapRange range);
  void Publish(ShiftMapScene scene, bool fine);

  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> busy_{false};
  mutable std::mutex mutex_;
  std::optional<ShiftMapScene> scene_;  // guarded by mutex_
  int published_ = 0;                   // guarded by mutex_
  bool finished_ = false;               // guarded by mutex_
};

}  // namespace kolmira
