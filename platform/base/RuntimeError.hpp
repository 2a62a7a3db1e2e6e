#pragma once

#include <stdexcept>
#include <string>

namespace ambiscan {

// The one exception of the program: carries a run-time error's message to runMain, which prints
// it and ends the run with a failure status. Nothing else catches it.
class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace ambiscan
