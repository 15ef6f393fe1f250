// What one directory entry is, read with a single fstatat that never follows a link, and the
// attribute word the listings filter on, mapped from what this platform's file systems have.
#pragma once

#include "platform/dir_reader.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tallyrun::platform {

// Bits of the attribute word.
constexpr std::uint32_t faReadOnly = 0x01;    // the owner may not write
constexpr std::uint32_t faHidden = 0x02;      // the name starts with "."
constexpr std::uint32_t faSystem = 0x04;      // fifo, socket, device
constexpr std::uint32_t faVolumeLabel = 0x08; // never set here
constexpr std::uint32_t faDirectory = 0x10;   // a real directory
constexpr std::uint32_t faArchive = 0x20;     // regular file or symbolic link

// Attribute masks an enumeration starts with.
constexpr std::uint32_t famAnyFile = 0x3F;
constexpr std::uint32_t famDirectories = 0x10;

// True when an enumeration started with `mask` passes over an entry with `attributes`: any of
// hidden, system, volume label and directory that the mask does not hold.
constexpr bool SkippedByMask(std::uint32_t attributes, std::uint32_t mask)
{
    return (attributes & ~mask & 0x1E) != 0;
}

std::uint32_t AttributesOf(std::string_view name, TEntryType type, bool ownerMayWrite);

struct TEntryInfo
{
    TEntryType type = TEntryType::etUnknown;
    bool ownerMayWrite = true;
    std::uint64_t size = 0;         // bytes; a link's own size, never its target's
    std::int64_t lastWriteTime = 0; // seconds since 1970-01-01 UTC, may be negative
};

// The entry `name` (NUL-terminated) of the open directory `dirFd`; nothing when it is gone.
std::optional<TEntryInfo> StatEntry(int dirFd, const char* name);

// Size in bytes of the file `name` in `dirFd`; 0 when it is missing or is a directory. Never
// opens the file, so a fifo or device cannot block.
std::uint64_t FileSizeAt(int dirFd, const char* name);

} // namespace tallyrun::platform
