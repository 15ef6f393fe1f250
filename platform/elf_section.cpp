#include "platform/elf_section.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tallyrun::platform {

namespace {

// The ELF types of this machine's word size; only images of that class are read.
#if UINTPTR_MAX > 0xFFFFFFFFu
using TEhdr = Elf64_Ehdr;
using TShdr = Elf64_Shdr;
constexpr unsigned char kClass = ELFCLASS64;
#else
using TEhdr = Elf32_Ehdr;
using TShdr = Elf32_Shdr;
constexpr unsigned char kClass = ELFCLASS32;
#endif

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr unsigned char kData = ELFDATA2LSB;
#else
constexpr unsigned char kData = ELFDATA2MSB;
#endif

// Section names are short; a name table larger than this is not one we read.
constexpr std::uint64_t kMaxNameTable = 1u << 20;
constexpr std::uint64_t kMaxSections = 1u << 16;

bool InImage(std::uint64_t offset, std::uint64_t size, std::uint64_t imageSize)
{
    return offset <= imageSize && size <= imageSize - offset;
}

class TElfImage
{
public:
    TElfImage(const TReadAt& readAt, std::uint64_t imageSize) : read_(readAt), size_(imageSize) {}

    bool ReadHeader()
    {
        if (!Read(0, sizeof header_, &header_))
            return false;
        const unsigned char* id = header_.e_ident;
        if (std::memcmp(id, ELFMAG, SELFMAG) != 0 || id[EI_CLASS] != kClass ||
            id[EI_DATA] != kData || header_.e_shentsize != sizeof(TShdr))
            return false;
        count_ = header_.e_shnum;
        nameIndex_ = header_.e_shstrndx;
        // Extended numbering keeps the real count and name-table index in section 0.
        if (count_ == 0 || nameIndex_ == SHN_XINDEX) {
            TShdr first{};
            if (!Section(0, first))
                return false;
            if (count_ == 0)
                count_ = first.sh_size;
            if (nameIndex_ == SHN_XINDEX)
                nameIndex_ = first.sh_link;
        }
        return count_ > 0 && count_ <= kMaxSections && nameIndex_ < count_;
    }

    bool Section(std::uint64_t index, TShdr& out) const
    {
        const std::uint64_t offset = header_.e_shoff;
        if (index >= kMaxSections || offset > size_)
            return false;
        return Read(offset + index * sizeof(TShdr), sizeof(TShdr), &out);
    }

    // The bytes of a section that lies in the file, at most `maxSize` of them.
    std::optional<std::vector<std::uint8_t>> Contents(const TShdr& section,
                                                      std::uint64_t maxSize) const
    {
        if (section.sh_type == SHT_NOBITS || section.sh_size > maxSize)
            return std::nullopt;
        std::vector<std::uint8_t> bytes(section.sh_size);
        if (!Read(section.sh_offset, bytes.size(), bytes.data()))
            return std::nullopt;
        return bytes;
    }

    std::optional<std::vector<std::uint8_t>> Find(std::string_view name, std::size_t maxSize) const
    {
        TShdr nameSection{};
        if (!Section(nameIndex_, nameSection))
            return std::nullopt;
        const auto names = Contents(nameSection, kMaxNameTable);
        if (!names)
            return std::nullopt;
        for (std::uint64_t i = 0; i < count_; ++i) {
            TShdr section{};
            if (!Section(i, section))
                return std::nullopt;
            if (NameAt(*names, section.sh_name) == name)
                return Contents(section, maxSize);
        }
        return std::nullopt;
    }

private:
    bool Read(std::uint64_t offset, std::size_t size, void* out) const
    {
        // An empty section has no buffer to read into.
        return InImage(offset, size, size_) && (size == 0 || read_(offset, size, out));
    }

    // A name of the name table; it must end with a NUL inside the table.
    static std::string_view NameAt(const std::vector<std::uint8_t>& names, std::uint64_t offset)
    {
        if (offset >= names.size())
            return {};
        const auto* start = reinterpret_cast<const char*>(names.data()) + offset;
        const void* end = std::memchr(start, 0, names.size() - offset);
        if (end == nullptr)
            return {};
        return {start, static_cast<std::size_t>(static_cast<const char*>(end) - start)};
    }

    const TReadAt& read_;
    std::uint64_t size_;
    TEhdr header_{};
    std::uint64_t count_ = 0;
    std::uint64_t nameIndex_ = 0;
};

} // namespace

std::optional<std::vector<std::uint8_t>> FindElfSection(const TReadAt& readAt,
                                                        std::uint64_t imageSize,
                                                        std::string_view name, std::size_t maxSize)
{
    TElfImage image(readAt, imageSize);
    if (!image.ReadHeader())
        return std::nullopt;
    return image.Find(name, maxSize);
}

std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path,
                                                        std::string_view name, std::size_t maxSize)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info
    {
    };
    std::optional<std::vector<std::uint8_t>> result;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const TReadAt readAt = [fd](std::uint64_t offset, std::size_t size, void* out) {
            auto* bytes = static_cast<char*>(out);
            while (size > 0) {
                const ssize_t got = ::pread(fd, bytes, size, static_cast<off_t>(offset));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    return false;
                bytes += got;
                offset += static_cast<std::uint64_t>(got);
                size -= static_cast<std::size_t>(got);
            }
            return true;
        };
        result = FindElfSection(readAt, static_cast<std::uint64_t>(info.st_size), name, maxSize);
    }
    ::close(fd);
    return result;
}

} // namespace tallyrun::platform
