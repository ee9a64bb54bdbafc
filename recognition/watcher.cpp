#include "recognition/watcher.h"

namespace vetrix {
namespace {

void Destroy(RecognitionWatchers* watchers) { delete watchers; }

}  // namespace

void Watch(MainWindow& window, std::unique_ptr<RecognitionWatcher> watcher) {
  if (!window.watchers)
    window.watchers = decltype(window.watchers)(new RecognitionWatchers, &Destroy);
  window.watchers->list_.push_back(std::move(watcher));
}

void StopWatching(MainWindow& window, const RecognitionWatcher& watcher) {
  if (!window.watchers) return;
  std::erase_if(window.watchers->list_,
                [&watcher](const auto& each) { return each.get() == &watcher; });
}

std::size_t WatcherCount(const MainWindow& window) {
  return window.watchers ? window.watchers->list_.size() : 0;
}

}  // namespace vetrix
