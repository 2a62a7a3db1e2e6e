#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace ambiscan {

// A SHA-256 digest taken as the bytes go by, so that a file is hashed in the pass that reads
// it. Raises a RuntimeError when the system has no SHA-256 (or no memory for it).
class Sha256 {
  public:
    Sha256();
    ~Sha256();
    Sha256(Sha256&&) noexcept;
    Sha256& operator=(Sha256&&) noexcept;

    void update(const void* bytes, std::size_t size);
    // The digest of every byte given so far, as 64 lower-case hex digits; ends the digest.
    std::string hex();
    // The same without ending it, for a file hashed as it grows: more bytes may follow.
    std::string hexSoFar() const;

  private:
    struct Context;
    std::unique_ptr<Context> context_;
};

}  // namespace ambiscan
