// Finds one named section of an ELF file and reads its bytes. Every offset, size and index
// read from the file is checked against the file's size before it is used, so a truncated or
// garbled file yields "not found", never a read out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrun::platform {

// Reads `size` bytes at `offset` of some file image into `out`; false when they are not all there.
using TReadAt = std::function<bool(std::uint64_t offset, std::size_t size, void* out)>;

// The bytes of the first section called `name` of the ELF image behind `readAt`, which is
// `imageSize` bytes long. Nothing when the image is not an ELF file of this machine's class
// and byte order, has no such section, the section holds no file bytes, or it is larger
// than `maxSize`.
std::optional<std::vector<std::uint8_t>> FindElfSection(const TReadAt& readAt,
                                                        std::uint64_t imageSize,
                                                        std::string_view name, std::size_t maxSize);

// The same for the file at `path` (read with pread; the file is never mapped).
std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path,
                                                        std::string_view name, std::size_t maxSize);

} // namespace tallyrun::platform
