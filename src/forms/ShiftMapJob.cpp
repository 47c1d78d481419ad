// The background thread of the shift map.
#include "forms/ShiftMapJob.h"

#include <utility>

namespace kolmira {

ShiftMapJob::~ShiftMapJob() {
  Cancel();
}

void ShiftMapJob::Cancel() {
  cancel_.store(true);
  if (thread_.joinable()) thread_.join();
  busy_.store(false);
}

void ShiftMapJob::Start(const GearPair& pair, const ShiftMapRange& range) {
  Cancel();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    scene_.reset();
    finished_ = false;
  }
  cancel_.store(false);
  busy_.store(true);
  GearPair snapshot = pair;
  snapshot.messages.clear();
  thread_ = std::thread(&ShiftMapJob::Run, this, std::move(snapshot), range);
}

void ShiftMapJob::Run(GearPair pair, ShiftMapRange range) {
  // Nothing may leave a thread by an exception (it would end the program);
  // a map that cannot be computed (no memory for the grid) is not shown.
  try {
    for (const int size : {kCoarseSize, kFineSize}) {
      ShiftMapRequest request;
      request.range = range;
      request.size = size;
      request.cancel = &cancel_;
      const ShiftMapData data = ComputeShiftMapData(pair, request);
      if (cancel_.load()) break;
      ShiftMapScene scene = BuildShiftMapScene(pair, data, request);
      // A map cut short by a stop is not the map of the pair.
      if (cancel_.load() || !scene.complete) break;
      Publish(std::move(scene), size == kFineSize);
    }
  } catch (...) {
  }
  busy_.store(false);
}

void ShiftMapJob::Publish(ShiftMapScene scene, bool fine) {
  const std::lock_guard<std::mutex> lock(mutex_);
  scene_ = std::move(scene);
  ++published_;
  finished_ = fine;
}

std::optional<ShiftMapScene> ShiftMapJob::TakeScene() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(scene_, std::nullopt);
}

int ShiftMapJob::published() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return published_;
}

bool ShiftMapJob::finished() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return finished_;
}

}  // namespace kolmira
