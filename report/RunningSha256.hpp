#pragma once

#include <memory>
#include <string>
#include <string_view>

struct evp_md_ctx_st;  // OpenSSL's digest state, opaque here

namespace ambiscan::report {

// SHA-256 of bytes handed in piece by piece, for a file read as it grows: the digest of
// everything so far can be asked for at any time and adding goes on after it.
class RunningSha256 {
  public:
    RunningSha256();  // throws RuntimeError when no SHA-256 digest is available
    void add(std::string_view bytes);
    std::string hex() const;  // 64 lower-case hex digits

  private:
    struct Free {
        void operator()(evp_md_ctx_st* context) const;
    };
    std::unique_ptr<evp_md_ctx_st, Free> context_;
};

}  // namespace ambiscan::report
