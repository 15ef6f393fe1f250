// Finding a named section in ELF files: this test program itself, cut and garbled copies of it.
#include "platform/elf_section.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

namespace tallyrun::test {

using namespace platform;

namespace {

std::vector<std::uint8_t> OwnImage()
{
    std::ifstream in("/proc/self/exe", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Looks for `name` in the first `size` bytes of `image`, read with the byte at `patchAt`
// replaced by `patchValue`: a cut or garbled copy without copying the image.
std::optional<std::vector<std::uint8_t>> FindIn(const std::vector<std::uint8_t>& image,
                                                std::size_t size, std::string_view name,
                                                std::size_t patchAt = SIZE_MAX,
                                                std::uint8_t patchValue = 0)
{
    const TReadAt readAt = [&](std::uint64_t offset, std::size_t count, void* out) {
        if (offset > size || count > size - offset)
            return false;
        std::memcpy(out, image.data() + offset, count);
        if (patchAt >= offset && patchAt - offset < count)
            static_cast<std::uint8_t*>(out)[patchAt - offset] = patchValue;
        return true;
    };
    return FindElfSection(readAt, size, name, 1 << 16);
}

TEST(ElfSectionTest, FindsSectionsOfAFile)
{
    const auto comment = ReadElfSection("/proc/self/exe", ".comment", 1 << 16);
    ASSERT_TRUE(comment); // the compiler's identification, present in every build
    EXPECT_FALSE(comment->empty());
    EXPECT_FALSE(ReadElfSection("/proc/self/exe", ".no_such_section", 1 << 16));
    // The null section at index 0 has an empty name and no bytes: read as empty, not from
    // a missing buffer.
    const auto empty = ReadElfSection("/proc/self/exe", "", 1 << 16);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(ReadElfSection("/proc/self/exe", ".comment", 1));   // larger than allowed
    EXPECT_FALSE(ReadElfSection("/proc/self/exe", ".bss", 1 << 30)); // no bytes in the file
    EXPECT_FALSE(ReadElfSection("/nonexistent", ".comment", 1 << 16));
    EXPECT_FALSE(ReadElfSection("/proc/self", ".comment", 1 << 16)); // not a regular file
    EXPECT_FALSE(ReadElfSection("/proc/self/cmdline", ".comment", 1 << 16));
}

TEST(ElfSectionTest, CutAndGarbledImagesFindNothingOrTheSection)
{
    const auto image = OwnImage();
    const auto expected = FindIn(image, image.size(), ".comment");
    ASSERT_TRUE(expected);
    // The section headers sit at the end of the file: any cut loses them.
    for (std::size_t size : {std::size_t{0}, std::size_t{4}, std::size_t{63}, std::size_t{64},
                             image.size() / 2, image.size() - 1})
        EXPECT_FALSE(FindIn(image, size, ".comment")) << size;
    // Garble the header and the section header table, where every offset comes from.
    std::uint64_t tableOffset = 0;
    std::memcpy(&tableOffset, image.data() + 40, sizeof tableOffset);
    ASSERT_LT(tableOffset, image.size());
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        const bool header = round % 2 == 0;
        const std::size_t start = header ? 0 : tableOffset;
        const std::size_t span = header ? 64 : image.size() - tableOffset;
        const auto found = FindIn(image, image.size(), ".comment", start + random() % span,
                                  static_cast<std::uint8_t>(random()));
        if (found) {
            EXPECT_LE(found->size(), std::size_t{1} << 16);
        }
    }
}

} // namespace
} // namespace tallyrun::test
