#pragma once

#include <ostream>
#include <string>

namespace ambiscan {

// Where a run prints: the usage text, the bad-init lists and the console texts of the program
// go to `out`; warnings and errors go to `err`. Tests hand in string streams.
struct Console {
    std::ostream& out;
    std::ostream& err;
};

// A warning shows its message and the run goes on.
inline void warning(const Console& console, const std::string& message) {
    console.err << "Warning: " << message << '\n';
}

}  // namespace ambiscan
