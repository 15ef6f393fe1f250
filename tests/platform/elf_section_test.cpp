// Finding a named section in ELF files: this test program itself, cut and garbled copies of it.
#include "platform/elf_section.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

namespace tallyrun::platform {
namespace {

std::vector<std::uint8_t> OwnImage()
{
    std::ifstream in("/proc/self/exe", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<std::vector<std::uint8_t>> FindIn(const std::vector<std::uint8_t>& image,
                                                std::string_view name, std::size_t maxSize)
{
    const TReadAt readAt = [&](std::uint64_t offset, std::size_t size, void* out) {
        if (offset > image.size() || size > image.size() - offset)
            return false;
        std::memcpy(out, image.data() + offset, size);
        return true;
    };
    return FindElfSection(readAt, image.size(), name, maxSize);
}

TEST(ElfSectionTest, FindsSectionsOfAFile)
{
    const auto comment = ReadElfSection("/proc/self/exe", ".comment", 1 << 16);
    ASSERT_TRUE(comment);  // the compiler's identification, present in every build
    EXPECT_FALSE(comment->empty());
    EXPECT_FALSE(ReadElfSection("/proc/self/exe", ".no_such_section", 1 << 16));
    EXPECT_FALSE(ReadElfSection("/proc/self/exe", ".comment", 1));  // larger than allowed
    EXPECT_FALSE(ReadElfSection("/proc/self/exe", ".bss", 1 << 30));  // no bytes in the file
    EXPECT_FALSE(ReadElfSection("/nonexistent", ".comment", 1 << 16));
    EXPECT_FALSE(ReadElfSection("/proc/self", ".comment", 1 << 16));  // not a regular file
    EXPECT_FALSE(ReadElfSection("/proc/self/cmdline", ".comment", 1 << 16));
}

TEST(ElfSectionTest, CutAndGarbledImagesFindNothingOrTheSection)
{
    const auto image = OwnImage();
    const auto expected = FindIn(image, ".comment", 1 << 16);
    ASSERT_TRUE(expected);
    // The section headers sit at the end of the file: any cut loses them.
    for (std::size_t size : {std::size_t{0}, std::size_t{4}, std::size_t{63}, std::size_t{64},
                             image.size() / 2, image.size() - 1}) {
        const std::vector<std::uint8_t> cut(image.begin(), image.begin() + size);
        EXPECT_FALSE(FindIn(cut, ".comment", 1 << 16)) << size;
    }
    // Garble the header and the section header table, where every offset comes from.
    std::uint64_t tableOffset = 0;
    std::memcpy(&tableOffset, image.data() + 40, sizeof tableOffset);
    ASSERT_LT(tableOffset, image.size());
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        auto garbled = image;
        const bool header = round % 2 == 0;
        const std::size_t start = header ? 0 : tableOffset;
        const std::size_t span = header ? 64 : image.size() - tableOffset;
        garbled[start + random() % span] = static_cast<std::uint8_t>(random());
        const auto found = FindIn(garbled, ".comment", 1 << 16);
        if (found) {
            EXPECT_LE(found->size(), std::size_t{1} << 16);
        }
    }
}

} // namespace
} // namespace tallyrun::platform
