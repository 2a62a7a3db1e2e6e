#include "platform/runtime/Registry.hpp"

#include <utility>

#include "platform/runtime/PrintableText.hpp"

namespace ambiscan::runtime {

std::string arityMessage(const FunctionEntry& entry, const std::string& kind, int declared) {
    return "Run-time Error: File: " + entry.name +
           " Line: " + std::to_string(entry.declarationLine) + " Column: 1 The function \"" +
           entry.name + "\" was called with more than the declared number of " + kind + " (" +
           std::to_string(declared) + ").";
}

std::vector<Value> callFunction(const FunctionEntry& entry, CallContext& context, int nargout,
                                const std::vector<Value>& args) {
    if (entry.declaredOutputs >= 0 && nargout > entry.declaredOutputs) {
        throw ArityError(arityMessage(entry, "outputs", entry.declaredOutputs));
    }
    if (entry.declaredInputs >= 0 && static_cast<int>(args.size()) > entry.declaredInputs) {
        throw ArityError(arityMessage(entry, "inputs", entry.declaredInputs));
    }
    return entry.body(context, nargout, args);
}

void FunctionRegistry::add(FunctionEntry entry) {
    entries_.push_back(std::move(entry));
}

const FunctionEntry& FunctionRegistry::find(const std::string& name) const {
    for (const FunctionEntry& entry : entries_) {
        if (entry.name == name) {
            return entry;
        }
    }
    throw RuntimeError("Undefined function \"" + name + "\".");
}

int runMain(int argc, const char* const* argv, const FunctionEntry& mainEntry, int nargout,
            const FunctionRegistry& /*registry*/, const std::vector<LifecyclePair>& lifecycle,
            Console console) {
    std::size_t initialized = 0;
    int status = kExitSuccess;
    try {
        for (const LifecyclePair& pair : lifecycle) {
            if (pair.initialize) {
                pair.initialize();
            }
            ++initialized;
        }
        std::vector<Value> words;
        for (int k = 1; k < argc; ++k) {
            words.emplace_back(std::string(argv[k]));
        }
        graphics::Graphics graphics;
        CallContext context{graphics, console};
        callFunction(mainEntry, context, nargout, words);
    } catch (const ArityError& error) {
        console.err << error.what() << '\n';
        status = kExitArgumentCount;
    } catch (const RuntimeError& error) {
        // Paths, legends and file text in a message reach the terminal escaped, on one line.
        console.err << printableText(error.what(), std::string::npos) << '\n';
        status = kExitRunFailed;
    } catch (const ExitRequest& request) {
        status = request.status;
    } catch (const std::exception& error) {
        // Out of memory or a failure of the system library: still one clear line.
        console.err << "Error: " << printableText(error.what(), std::string::npos) << '\n';
        status = kExitRunFailed;
    }
    console.out.flush();
    // Terminators run in reverse, so that each library outlives the functions built on it.
    for (std::size_t k = initialized; k-- > 0;) {
        if (lifecycle[k].terminate) {
            lifecycle[k].terminate();
        }
    }
    return status;
}

}  // namespace ambiscan::runtime
