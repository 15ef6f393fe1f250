// Reads the raw entries of an open directory in the order the file system gives them, with the
// entry type where the directory listing reports it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace tallyrun::platform {

enum class TEntryType : std::uint8_t
{
    etUnknown,   // the listing did not say; ask StatEntry
    etFile,      // regular file
    etDirectory, // real directory (never a link to one)
    etLink,      // symbolic link, never followed
    etSpecial,   // fifo, socket, character or block device
};

struct TRawEntry
{
    // NUL-terminated inside the reader's buffer; valid until the next call of Next.
    std::string_view name;
    TEntryType type = TEntryType::etUnknown;
};

class TDirReader
{
public:
    // Reads from the current position of `fd`, which stays owned by the caller.
    explicit TDirReader(int fd);
    ~TDirReader();
    TDirReader(const TDirReader&) = delete;
    TDirReader& operator=(const TDirReader&) = delete;

    // The next entry, "." and ".." included; false at the end or on a read error.
    bool Next(TRawEntry& entry);

private:
    int fd_;
    std::unique_ptr<char[]> buffer_;
    long filled_ = 0;
    long pos_ = 0;
};

} // namespace tallyrun::platform
