// The current error of the editor's runtime and the step runner of the skip-on-error model.
//
// A step is one statement: one output line or one action. When a step throws HostError, the rest
// of the step is abandoned, the error becomes the current error and the caller goes on with the
// next step. Only HostError is caught: anything else is a bug and propagates.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "host/host_error.h"

namespace tovalin {

class ErrorState {
 public:
  int32_t number() const { return number_; }
  const std::string& description() const { return description_; }
  bool IsSet() const { return number_ != 0; }

  void Set(const HostError& error) {
    number_ = error.number();
    description_ = error.description();
  }
  void Clear() {
    number_ = 0;
    description_.clear();
  }

 private:
  int32_t number_ = 0;
  std::string description_;
};

// Runs one step; a HostError it throws becomes the current error.
template <typename Step>
void RunStep(ErrorState& err, Step&& step) {
  try {
    std::forward<Step>(step)();
  } catch (const HostError& e) {
    err.Set(e);
  }
}

// Runs a conditional step: `body` runs when `test` returns true, and also when the test itself
// fails, as resume-next continues with the statement after the failed condition.
template <typename Test, typename Body>
void RunGuardedStep(ErrorState& err, Test&& test, Body&& body) {
  bool run_body = false;
  try {
    run_body = std::forward<Test>(test)();
  } catch (const HostError& e) {
    err.Set(e);
    run_body = true;
  }
  if (run_body) RunStep(err, std::forward<Body>(body));
}

}  // namespace tovalin
