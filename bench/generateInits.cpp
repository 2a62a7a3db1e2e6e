// Writes a realistic inits.txt: one record per attempt, all receivers restarted together.
//
//   ambiscan_generate --receivers N --records R [--seed S] [--start SECONDS] [--interval SECONDS]
//                     [--wrap none|day|week] [--slow N] [--bad PERCENT] > inits.txt
//
// Start times are GPS seconds of week (or of day with --wrap day), one attempt every `interval`
// seconds with a little jitter. Times to fix are whole seconds: satellite acquisition plus an
// RTK search with a long tail, a few beyond 500 s. Position errors are centimetre-level, with
// about `bad` percent of wrong fixes of decimetres to metres. Receiver `slow` (1-based, 0 for
// none) takes several times longer, so that it never reaches 90 % within 500 s.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct Options {
    int receivers = 2;
    long records = 300;
    unsigned long seed = 1;
    double start = 3 * 86400 + 20 * 3600;  // day 3, 20:00
    double interval = 72;
    std::string wrap = "none";
    int slow = 0;
    double badPercent = 1.5;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int k = 1; k + 1 < argc; k += 2) {
        const std::string name = argv[k];
        const char* value = argv[k + 1];
        if (name == "--receivers")
            o.receivers = std::atoi(value);
        else if (name == "--records")
            o.records = std::atol(value);
        else if (name == "--seed")
            o.seed = std::strtoul(value, nullptr, 10);
        else if (name == "--start")
            o.start = std::atof(value);
        else if (name == "--interval")
            o.interval = std::atof(value);
        else if (name == "--wrap")
            o.wrap = value;
        else if (name == "--slow")
            o.slow = std::atoi(value);
        else if (name == "--bad")
            o.badPercent = std::atof(value);
        else {
            std::fprintf(stderr, "unknown option %s\n", name.c_str());
            std::exit(2);
        }
    }
    if (o.receivers < 1 || o.receivers > 5 || o.records < 0) {
        std::fprintf(stderr, "receivers must be 1 to 5 and records not negative\n");
        std::exit(2);
    }
    return o;
}

class Writer {
  public:
    ~Writer() { flush(); }
    void number(double value, int decimals) {
        char* end = buffer_ + used_;
        const auto result =
            std::to_chars(end, buffer_ + sizeof buffer_, value, std::chars_format::fixed, decimals);
        used_ = static_cast<std::size_t>(result.ptr - buffer_);
    }
    void put(char c) {
        buffer_[used_++] = c;
        if (used_ > sizeof buffer_ - 512)
            flush();
    }
    void flush() {
        std::fwrite(buffer_, 1, used_, stdout);
        used_ = 0;
    }

  private:
    char buffer_[1 << 16];
    std::size_t used_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    std::mt19937_64 random(o.seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::normal_distribution<double> normal(0.0, 1.0);
    const double wrapAt = o.wrap == "day" ? 86400 : (o.wrap == "week" ? 604800 : 0);

    // Each receiver has its own quality: acquisition, search time and error spread.
    struct Receiver {
        double acquisition, search, sigmaH, sigmaU, biasE, biasN;
    };
    std::vector<Receiver> rx;
    for (int i = 0; i < o.receivers; ++i) {
        const bool slow = i + 1 == o.slow;
        rx.push_back({18.0 + 4 * i, slow ? 260.0 : 9.0 + 5 * i, 0.008 + 0.003 * i,
                      0.015 + 0.004 * i, 0.002 * (i % 2 ? 1 : -1), -0.001 * i});
    }

    Writer out;
    std::vector<double> fields(static_cast<std::size_t>(4 * o.receivers + 1));
    for (long r = 0; r < o.records; ++r) {
        double t = o.start + static_cast<double>(r) * o.interval + std::floor(uniform(random) * 3);
        if (wrapAt > 0)
            t = std::fmod(t, wrapAt);
        out.number(t, 0);
        for (const Receiver& x : rx) {
            // Acquisition jitter plus an exponential search; one in a hundred takes very long.
            double ttf =
                x.acquisition + 3 * normal(random) - x.search * std::log(1 - uniform(random));
            if (uniform(random) < 0.01)
                ttf += 300 + 400 * uniform(random);
            out.put(' ');
            out.number(std::max(1.0, std::round(ttf)), 0);
        }
        for (const Receiver& x : rx) {
            double e = x.biasE + x.sigmaH * normal(random);
            double n = x.biasN + x.sigmaH * normal(random);
            double u = x.sigmaU * normal(random);
            if (uniform(random) * 100 < o.badPercent) {
                // A wrong fix: the ambiguities were resolved to the wrong integers.
                const double size = 0.15 + 1.2 * uniform(random);
                e += size * normal(random);
                n += size * normal(random);
                u += 2 * size * normal(random);
            }
            out.put(' ');
            out.number(e, 4);
            out.put(' ');
            out.number(n, 4);
            out.put(' ');
            out.number(u, 4);
        }
        out.put('\n');
    }
    return 0;
}
