// SHA-256 of a firmware image, so a flash never starts on bytes other than the ones the
// manifest names. Portable: the digest is the same on every platform and testable natively.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

class FileSystem;

using Sha256Digest = std::array<uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    void Update(const void* data, size_t size);
    // Ends the message; the object must not be updated afterwards.
    Sha256Digest Finish();

private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(std::string_view bytes);
// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const Sha256Digest& digest);
// Reads 64 hexadecimal digits of either case, blanks around them ignored; false for anything
// else, so a damaged manifest entry never passes for a digest.
bool ParseSha256Hex(std::u16string_view text, Sha256Digest& digest);
// The digest of a whole file; false when it cannot be opened.
bool Sha256OfFile(FileSystem& fs, const std::u16string& path, Sha256Digest& digest,
                  uint64_t* size = nullptr);

}  // namespace tarn
