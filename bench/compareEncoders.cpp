// ambiscan_compare_encoders DIR [repeats]: encodes every PNG figure in DIR (a run's output) with
// the program's encoder and with three library deflaters, each behind the same "up" filter and
// PNG chunks, and prints the best time of each figure summed over the figures, and the bytes.
// Every library's output is inflated again and compared with the filtered rows.
#include <cairo.h>
#include <isa-l/igzip_lib.h>
#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/render/PngFile.hpp"

namespace {

using Clock = std::chrono::steady_clock;

struct Image {
    std::string name;
    int width = 0, height = 0;
    std::vector<unsigned char> argb;  // Cairo's 32-bit pixels, stride width * 4
};

// Rows of RGB bytes, each led by its filter byte ("up": minus the row above).
std::vector<unsigned char> filteredRows(const Image& image) {
    const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(image.width);
    std::vector<unsigned char> rows(rowBytes * image.height);
    std::vector<unsigned char> above(3 * image.width, 0), current(3 * image.width);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* p = image.argb.data() + static_cast<std::size_t>(y) * image.width * 4;
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t v;
            std::memcpy(&v, p + 4 * x, 4);
            current[3 * x] = static_cast<unsigned char>(v >> 16);
            current[3 * x + 1] = static_cast<unsigned char>(v >> 8);
            current[3 * x + 2] = static_cast<unsigned char>(v);
        }
        unsigned char* out = rows.data() + y * rowBytes;
        out[0] = 2;
        for (std::size_t k = 0; k < current.size(); ++k) {
            out[1 + k] = static_cast<unsigned char>(current[k] - above[k]);
        }
        std::swap(above, current);
    }
    return rows;
}

std::string deflateLibdeflate(const std::vector<unsigned char>& rows) {
    libdeflate_compressor* c = libdeflate_alloc_compressor(1);
    std::string out(libdeflate_zlib_compress_bound(c, rows.size()), '\0');
    out.resize(libdeflate_zlib_compress(c, rows.data(), rows.size(), out.data(), out.size()));
    libdeflate_free_compressor(c);
    return out;
}

std::string deflateIsal(const std::vector<unsigned char>& rows) {
    isal_zstream stream;
    isal_deflate_init(&stream);
    std::vector<unsigned char> level(ISAL_DEF_LVL1_DEFAULT);
    stream.level = 1;
    stream.level_buf = level.data();
    stream.level_buf_size = static_cast<uint32_t>(level.size());
    stream.gzip_flag = IGZIP_ZLIB;
    stream.end_of_stream = 1;
    stream.flush = NO_FLUSH;
    std::string out(rows.size() + rows.size() / 8 + 1024, '\0');
    stream.next_in = const_cast<unsigned char*>(rows.data());
    stream.avail_in = static_cast<uint32_t>(rows.size());
    stream.next_out = reinterpret_cast<unsigned char*>(out.data());
    stream.avail_out = static_cast<uint32_t>(out.size());
    isal_deflate(&stream);
    out.resize(stream.total_out);
    return out;
}

std::string deflateZlibRle(const std::vector<unsigned char>& rows) {
    z_stream z{};
    deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE);
    std::string out(deflateBound(&z, static_cast<uLong>(rows.size())), '\0');
    z.next_in = const_cast<unsigned char*>(rows.data());
    z.avail_in = static_cast<uInt>(rows.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// The whole file through libpng with zlib's run-length strategy, as a plain program would.
std::string pngThroughLibpng(const Image& image) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, 0, PNG_FILTER_UP);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_set_bgr(png);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, const_cast<png_bytep>(image.argb.data() +
                                                 static_cast<std::size_t>(y) * image.width * 4));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool inflatesTo(const std::string& zlibStream, const std::vector<unsigned char>& rows) {
    std::vector<unsigned char> back(rows.size());
    uLongf length = static_cast<uLongf>(back.size());
    return uncompress(back.data(), &length, reinterpret_cast<const Bytef*>(zlibStream.data()),
                      static_cast<uLong>(zlibStream.size())) == Z_OK &&
           length == rows.size() && back == rows;
}

double bestMs(const std::function<std::size_t()>& encode, int repeats, std::size_t& bytes) {
    double best = 1e300;
    for (int r = 0; r < repeats; ++r) {
        const auto t0 = Clock::now();
        bytes = encode();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [repeats]\n", argv[0]);
        return 2;
    }
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    std::vector<Image> images;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        if (entry.path().extension() != ".png") {
            continue;
        }
        cairo_surface_t* s = cairo_image_surface_create_from_png(entry.path().c_str());
        Image image{entry.path().filename().string(),
                    cairo_image_surface_get_width(s),
                    cairo_image_surface_get_height(s),
                    {}};
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < image.height; ++y) {
            image.argb.insert(image.argb.end(), data + y * stride,
                              data + y * stride + image.width * 4);
        }
        cairo_surface_destroy(s);
        images.push_back(std::move(image));
    }

    struct Total {
        const char* name;
        double ms = 0;
        std::size_t bytes = 0;
        bool decoded = true;
    };
    Total ours{"program's run-length deflater"},
        libpng{"libpng, zlib level 1 Z_RLE"}, zrle{"zlib level 1 Z_RLE (filter + deflate only)"},
        ldf{"libdeflate level 1"}, isal{"ISA-L level 1"};
    for (const Image& image : images) {
        std::size_t bytes = 0;
        const ambiscan::render::PixelRows pixels{image.argb.data(), image.width, image.height,
                                                 image.width * 4};
        ours.ms +=
            bestMs([&] { return ambiscan::render::encodePng(pixels).size(); }, repeats, bytes);
        ours.bytes += bytes;
        libpng.ms += bestMs([&] { return pngThroughLibpng(image).size(); }, repeats, bytes);
        libpng.bytes += bytes;
        const auto rows = filteredRows(image);
        for (Total* t : {&zrle, &ldf, &isal}) {
            const auto deflater = t == &zrle  ? deflateZlibRle
                                  : t == &ldf ? deflateLibdeflate
                                              : deflateIsal;
            std::string stream;
            t->ms += bestMs(
                [&] {
                    stream = deflater(filteredRows(image));
                    return stream.size();
                },
                repeats, bytes);
            t->bytes += bytes;
            t->decoded = t->decoded && inflatesTo(stream, rows);
        }
    }
    std::printf("%zu figures, best of %d per figure, one thread\n", images.size(), repeats);
    std::printf("| encoder | time (sum, ms) | bytes (sum, MB) | decodes |\n|---|---|---|---|\n");
    for (const Total* t : {&ours, &libpng, &zrle, &ldf, &isal}) {
        std::printf("| %s | %.1f | %.2f | %s |\n", t->name, t->ms,
                    static_cast<double>(t->bytes) / 1e6, t->decoded ? "yes" : "NO");
    }
    return 0;
}
