#include <csignal>
#include <iostream>

#include "app/functionRegistry.hpp"
#include "platform/runtime/ReuseFreedMemory.hpp"

int main(int argc, char** argv) {
    using namespace ambiscan;
    // Past a file-size limit the system would kill the run mid-write; ignoring the signal turns
    // it into a failed write, which is reported with the file's name.
    std::signal(SIGXFSZ, SIG_IGN);
    runtime::reuseFreedMemory();
    const runtime::FunctionRegistry functions = app::programFunctions();
    return runtime::runMain(argc, argv, functions.find("ambiscan"), 0, functions,
                            app::lifecycle(functions), Console{std::cout, std::cerr});
}
