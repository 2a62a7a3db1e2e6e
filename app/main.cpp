#include <iostream>

#include "app/functionRegistry.hpp"

int main(int argc, char** argv) {
    using namespace ambiscan;
    const runtime::FunctionRegistry functions = app::programFunctions();
    return runtime::runMain(argc, argv, functions.find("ambiscan"), 0, functions,
                            app::lifecycle(functions), Console{std::cout, std::cerr});
}
