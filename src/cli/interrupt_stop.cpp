#include "cli/interrupt_stop.h"

#include <atomic>

#include "core/calculator.h"

namespace korvex {
namespace {

// A signal handler can reach nothing but a global. It points at the
// calculator of the one InterruptStop alive, and only while it lives.
std::atomic<Calculator*> interrupted_calculator{nullptr};
static_assert(std::atomic<Calculator*>::is_always_lock_free);

void OnInterrupt(int) {
  if (Calculator* calculator = interrupted_calculator.load()) calculator->RequestStop();
}

}  // namespace

InterruptStop::InterruptStop(Calculator& calculator) {
  interrupted_calculator.store(&calculator);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // Reads of standard input go on after a Ctrl+C instead of failing.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &previous_);
}

InterruptStop::~InterruptStop() {
  sigaction(SIGINT, &previous_, nullptr);
  interrupted_calculator.store(nullptr);
}

}  // namespace korvex
