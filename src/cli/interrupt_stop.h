// Ctrl+C during a calculation: the request stops as canceled instead of the
// process dying, so what was finished can still be printed.
#pragma once

#include <signal.h>

namespace korvex {

class Calculator;

// While one exists, SIGINT asks `calculator` to stop its running request;
// the handling before it comes back when it goes. One at a time.
class InterruptStop {
 public:
  explicit InterruptStop(Calculator& calculator);
  ~InterruptStop();
  InterruptStop(const InterruptStop&) = delete;
  InterruptStop& operator=(const InterruptStop&) = delete;

 private:
  struct sigaction previous_ {};
};

}  // namespace korvex
