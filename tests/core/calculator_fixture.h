// A calculator on a temporary data folder that holds copies of the shipped
// catalogues, started as the command-line run starts it.
#pragma once

#include <stdlib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "core/calculator.h"
#include "engine/test_support.h"
#include "settings/settings_test_support.h"

namespace korvex {

class CalculatorFixture : public ::testing::Test {
 protected:
  CalculatorFixture() {
    namespace fs = std::filesystem;
    std::string pattern = fs::temp_directory_path() / "korvex-core-XXXXXX";
    root_ = ::mkdtemp(pattern.data());
    fs::create_directories(root_ / "bin");
    const char* build = std::getenv("KORVEX_DATA_DIR");
    if (build == nullptr) ADD_FAILURE() << "KORVEX_DATA_DIR is not set";
    for (const char* folder : {"functions", "constants"})
      if (build != nullptr) fs::copy(fs::path(build) / "bin" / folder, root_ / "bin" / folder);
    calculator_ = std::make_unique<Calculator>(root_, messages_);
  }
  ~CalculatorFixture() override {
    // The calculator stops its worker before the folder goes.
    calculator_.reset();
    std::filesystem::remove_all(root_);
  }

  Calculator& Started() {
    calculator_->set_error_sink(&sink_);
    EXPECT_TRUE(calculator_->StartWithoutWindows());
    return *calculator_;
  }

  std::filesystem::path root_;
  testing::RecordingSink sink_;
  settings_test::RecordingMessages messages_;
  // Made once the folder exists.
  std::unique_ptr<Calculator> calculator_;
};

// Asks the calculator to stop once `delay` has passed, from another thread,
// as a window or a signal handler would.
class DelayedStop {
 public:
  DelayedStop(Calculator& calculator, std::chrono::milliseconds delay)
      : thread_([&calculator, delay] {
          std::this_thread::sleep_for(delay);
          calculator.RequestStop();
        }) {}
  ~DelayedStop() { thread_.join(); }

 private:
  std::thread thread_;
};

// Asks the calculator to stop once its request is under way (its position
// moved), so a run that first reserves its room, slow under a sanitizer's
// allocator, still has points when it stops.
class StopWhenUnderway {
 public:
  explicit StopWhenUnderway(Calculator& calculator)
      : thread_([&calculator] {
          const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
          while (calculator.control().position() == 0 && std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
          calculator.RequestStop();
        }) {}
  ~StopWhenUnderway() { thread_.join(); }

 private:
  std::thread thread_;
};

}  // namespace korvex
