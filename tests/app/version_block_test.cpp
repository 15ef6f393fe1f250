// The version reader: the block linked into the built program, and blocks made here.
#include "app/version_block.h"

#include "app/version_info.h"
#include "platform/elf_section.h"
#include "tools/version_block_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace tallyrun::test {
namespace {

std::string ProgramString(int key)
{
    return GetVersionStringFromFile(TALLYRUN_PROGRAM_PATH, key);
}

TEST(VersionBlockTest, ProgramCarriesTheProjectVersion)
{
    EXPECT_EQ(ProgramString(vkProductVersion), "2.0.2");
    EXPECT_EQ(ProgramString(vkProductName), "Tallyrun");
    EXPECT_EQ(ProgramString(vkFileVersion), "2.0.2.0");
    EXPECT_EQ(ProgramString(vkOriginalFilename), "Tallyrun");
    EXPECT_NE(ProgramString(vkLegalCopyright).find("Tallyrun project"), std::string::npos);
    for (int key :
         std::initializer_list<int>{vkComments, vkCompanyName, vkFileDescription, vkInternalName,
                                    vkLegalTrademarks, vkPrivateBuild, vkSpecialBuild, -1, 12})
        EXPECT_EQ(ProgramString(key), "") << key;
}

TEST(VersionBlockTest, ProgramBlockHasFixedInfoTableAndTranslation)
{
    const auto block =
        platform::ReadElfSection(TALLYRUN_PROGRAM_PATH, kVersionSectionName, 1 << 20);
    ASSERT_TRUE(block);
    const TVersionBlock version(*block);
    const auto fixed = version.QueryValue("\\");
    ASSERT_TRUE(fixed);
    ASSERT_EQ(fixed->bytes.size(), 52u);
    std::uint32_t words[4];
    std::memcpy(words, fixed->bytes.data(), sizeof words);
    EXPECT_EQ(words[0], 0xFEEF04BDu);
    EXPECT_EQ(words[2], 0x00020000u); // file version 2.0 . 2.0
    EXPECT_EQ(words[3], 0x00020000u);
    const auto translation = version.QueryValue("\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation);
    ASSERT_EQ(translation->bytes.size(), 4u);
    std::uint32_t pair = 0;
    std::memcpy(&pair, translation->bytes.data(), 4);
    EXPECT_EQ(pair, 0x03A40411u);
    const auto empty = version.QueryValue("\\StringFileInfo\\041103A4\\CompanyName");
    ASSERT_TRUE(empty); // present, with an empty value
    EXPECT_EQ(VersionText(*empty), "");
    // Keys compare without regard to letter case.
    const auto name = version.QueryValue("\\stringfileinfo\\041103a4\\PRODUCTNAME");
    ASSERT_TRUE(name);
    EXPECT_EQ(VersionText(*name), "Tallyrun");
}

// This test program carries no block: every key reads as empty, without an error.
TEST(VersionBlockTest, ExecutableWithoutBlockReadsEmpty)
{
    EXPECT_EQ(GetVersionString(vkProductVersion), "");
    EXPECT_EQ(GetVersionStringFromFile("/nonexistent/tallyrun", vkProductName), "");
}

TVersionBlockContents SmallContents()
{
    TVersionBlockContents contents;
    contents.fileVersion = {1, 2, 3, 4};
    contents.stringTables.push_back({"040904B0", {{"ProductName", "English"}}});
    contents.stringTables.push_back({"041103A4", {{"ProductName", "集計くん"}, {"Comments", ""}}});
    contents.translations = std::vector<std::uint32_t>{0x03A40411, 0x04B00409};
    return contents;
}

TEST(VersionBlockTest, FirstTranslationChoosesTheTable)
{
    auto contents = SmallContents();
    EXPECT_EQ(VersionStringFromBlock(WriteVersionBlock(contents), vkProductName), "集計くん");
    EXPECT_EQ(VersionStringFromBlock(WriteVersionBlock(contents), vkProductVersion), "");
    contents.translations = std::vector<std::uint32_t>{0x04B00409};
    EXPECT_EQ(VersionStringFromBlock(WriteVersionBlock(contents), vkProductName), "English");
    // A translation naming a table the block lacks finds nothing.
    contents.translations = std::vector<std::uint32_t>{0x04E40407};
    EXPECT_EQ(VersionStringFromBlock(WriteVersionBlock(contents), vkProductName), "");
}

void ExpectTranslationError(const std::vector<std::uint8_t>& block)
{
    try {
        VersionStringFromBlock(block, vkProductName);
        ADD_FAILURE() << "no error raised";
    } catch (const EVersionInfoError& e) {
        EXPECT_STREQ(e.what(), "情報の取得に失敗しました");
    }
}

TEST(VersionBlockTest, MissingOrShortTranslationTableRaises)
{
    auto contents = SmallContents();
    contents.translations.reset(); // no VarFileInfo at all
    ExpectTranslationError(WriteVersionBlock(contents));
    contents.translations = std::vector<std::uint32_t>{}; // a table with no entry
    ExpectTranslationError(WriteVersionBlock(contents));

    // A table of 2 bytes cannot hold a language and a code page: it counts as missing
    // rather than being read past its end.
    contents.translations = std::vector<std::uint32_t>{0x03A40411};
    auto block = WriteVersionBlock(contents);
    const std::size_t at = block.size() - 36; // the Translation node, last in the block
    ASSERT_EQ(block[at], 36);
    block[at] = 34;    // wLength
    block[at + 2] = 2; // wValueLength
    ExpectTranslationError(block);
}

// Every prefix of a block and many garbled copies are read without a fault; each read either
// yields a text or raises the translation error.
TEST(VersionBlockTest, TruncatedAndGarbledBlocksNeverFault)
{
    const auto block = WriteVersionBlock(ProgramVersionSpec("Tallyrun", "2.0.2.0"));
    const auto read = [](const std::vector<std::uint8_t>& bytes) {
        for (int key = vkComments; key <= vkSpecialBuild; ++key) {
            try {
                VersionStringFromBlock(bytes, key);
            } catch (const EVersionInfoError&) {
            }
        }
    };
    for (std::size_t size = 0; size < block.size(); ++size) {
        const std::vector<std::uint8_t> prefix(block.begin(), block.begin() + size);
        read(prefix);
        // A cut block whose root still claims the whole length is refused as a whole.
        if (size >= 2) {
            EXPECT_EQ(VersionStringFromBlock(prefix, vkProductName), "") << size;
        }
    }
    std::mt19937 random(6);
    for (int round = 0; round < 3000; ++round) {
        auto garbled = block;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            garbled[random() % garbled.size()] = static_cast<std::uint8_t>(random());
        read(garbled);
    }
}

} // namespace
} // namespace tallyrun::test
