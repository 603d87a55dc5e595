// The message of the FormatError an action throws, for tests of the document readers.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/office/format_error.h"

namespace tovalin::testing {

template <typename F>
std::string FormatErrorOf(F action) {
  try {
    action();
  } catch (const FormatError& error) {
    return error.what();
  }
  ADD_FAILURE() << "no FormatError";
  return "";
}

}  // namespace tovalin::testing
