// The program as it is once started with a given gesture.ini, in the fake world: its own
// start-up has loaded the file, and its own recognition loop runs over a recorded pointer on the
// virtual clock. Nothing reaches the real system: actions, keys and writes stay in the fake.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/world.h"
#include "recognition/watcher.h"
#include "window/main_window.h"

namespace vetrix::check {

// One at a time: the fake world is the process's own.
class LoadedProgram {
 public:
  // Starts the program in a fresh fake world whose current folder holds `iniBytes` as
  // gesture.ini.
  explicit LoadedProgram(const std::string& iniBytes);
  ~LoadedProgram();
  LoadedProgram(const LoadedProgram&) = delete;
  LoadedProgram& operator=(const LoadedProgram&) = delete;

  MainWindow& window() { return *window_; }
  const fake::World& world() const { return fake::TheWorld(); }

  // Continuous recognition, started at the first sample's time, while the pointer follows the
  // track (time order); returns every firing recognition announced, with its time on the
  // track's clock. Runs one after another each start as a fresh run does.
  std::vector<Firing> Recognise(const std::vector<fake::World::Sample>& track);

 private:
  std::unique_ptr<MainWindow> window_;
  std::vector<Firing> firings_;
};

}  // namespace vetrix::check
