#include "platform/dir_reader.h"

#include <dirent.h>

namespace tallyrun::platform {

namespace {

constexpr long kBufferSize = 32 * 1024;

TEntryType TypeFromDirent(unsigned char type)
{
    switch (type) {
    case DT_REG:
        return TEntryType::etFile;
    case DT_DIR:
        return TEntryType::etDirectory;
    case DT_LNK:
        return TEntryType::etLink;
    case DT_FIFO:
    case DT_SOCK:
    case DT_CHR:
    case DT_BLK:
        return TEntryType::etSpecial;
    default:
        return TEntryType::etUnknown;
    }
}

} // namespace

TDirReader::TDirReader(int fd) : fd_(fd), buffer_(new char[kBufferSize]) {}

TDirReader::~TDirReader() = default;

bool TDirReader::Next(TRawEntry& entry)
{
    if (pos_ >= filled_) {
        if (fd_ < 0)
            return false;
        const ssize_t got = ::getdents64(fd_, buffer_.get(), kBufferSize);
        if (got <= 0) {
            fd_ = -1; // end of the directory, or an error: either way nothing more comes
            return false;
        }
        filled_ = got;
        pos_ = 0;
    }
    const auto* record = reinterpret_cast<const struct dirent64*>(buffer_.get() + pos_);
    pos_ += record->d_reclen;
    entry.name = std::string_view(record->d_name);
    entry.type = TypeFromDirent(record->d_type);
    return true;
}

} // namespace tallyrun::platform
