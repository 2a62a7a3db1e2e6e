// Reads an inits.txt the way the program does and reports the matrix size, so that the time
// and peak memory of reading alone can be measured with /usr/bin/time -v.
//
//   ambiscan_read_probe FILE RECEIVERS
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/readInits.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ambiscan_read_probe FILE RECEIVERS\n";
        return 2;
    }
    const auto receivers = static_cast<std::size_t>(std::atoi(argv[2]));
    const auto file = ambiscan::app::readInits(argv[1], 4 * receivers + 1,
                                               ambiscan::Console{std::cout, std::cerr});
    if (!file) {
        std::cerr << "cannot open " << argv[1] << '\n';
        return 1;
    }
    const double megabytes = static_cast<double>(file->inits.numel()) * 8 / (1 << 20);
    std::printf("%zu rows x %zu columns (%.1f MB)\n", file->inits.rows(), file->inits.cols(),
                megabytes);
    return 0;
}
