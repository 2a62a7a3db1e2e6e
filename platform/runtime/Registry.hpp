#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/Console.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::runtime {

// A call with more inputs or outputs than its function declares. runMain ends the run with a
// status of its own for it, so that scripts can tell a wrong command line from a failed run.
class ArityError : public RuntimeError {
  public:
    using RuntimeError::RuntimeError;
};

// The runtime's exit: ends the run at once with the given status (after its message, if any,
// has been printed by whoever asked for the exit).
struct ExitRequest {
    int status;
};

// What every call of the generic calling form runs in.
struct CallContext {
    graphics::Graphics& graphics;
    Console console;
};

using CallEntry =
    std::function<std::vector<Value>(CallContext&, int nargout, const std::vector<Value>& args)>;

// Declared counts: a non-negative number is the limit; -1 means any number; -2 means one fixed
// input followed by any number.
struct FunctionEntry {
    std::string name;
    int declaredInputs = 0;
    int declaredOutputs = 0;
    int declarationLine = 1;
    CallEntry body;
};

// "Run-time Error: File: NAME Line: L Column: 1 The function "NAME" was called with more than the
// declared number of inputs (N)." (kind is "inputs" or "outputs").
std::string arityMessage(const FunctionEntry& entry, const std::string& kind, int declared);

// Checks a call against the declared counts, then runs the body.
std::vector<Value> callFunction(const FunctionEntry& entry, CallContext& context, int nargout,
                                const std::vector<Value>& args);

class FunctionRegistry {
  public:
    void add(FunctionEntry entry);
    const FunctionEntry& find(const std::string& name) const;
    const std::vector<FunctionEntry>& entries() const { return entries_; }

  private:
    std::vector<FunctionEntry> entries_;
};

// One initialise/terminate pair of the start-up list.
struct LifecyclePair {
    std::string name;
    std::function<void()> initialize;
    std::function<void()> terminate;
};

// Process exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitArgumentCount = 2;  // also a command line the program cannot take
inline constexpr int kExitGateFailed = 3;     // every output written, a required limit missed

// The runtime's main entry: runs the initialisers in order, calls `mainEntry` with the
// command-line words after the program name as texts and `nargout` outputs, runs the
// terminators in reverse order, and returns the exit status. Errors are printed to
// console.err; a RuntimeError ends with kExitRunFailed, an ArityError with kExitArgumentCount.
int runMain(int argc, const char* const* argv, const FunctionEntry& mainEntry, int nargout,
            const FunctionRegistry& registry, const std::vector<LifecyclePair>& lifecycle,
            Console console);

}  // namespace ambiscan::runtime
