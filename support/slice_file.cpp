#include "support/slice_file.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallyrun {

namespace {

// Larger files are refused rather than read into memory.
constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;

bool ParseValue(const std::string& text, double& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

} // namespace

bool ParseSlices(const std::string& text, std::vector<TSliceLine>& slices, std::string& error)
{
    std::size_t from = 0;
    for (int number = 1; from < text.size(); ++number) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::size_t tab = line.rfind('\t');
        TSliceLine slice;
        if (tab == std::string::npos || !ParseValue(line.substr(tab + 1), slice.value)) {
            error = "line " + std::to_string(number) + ": expected label<TAB>value";
            return false;
        }
        slice.label = line.substr(0, tab);
        slices.push_back(std::move(slice));
    }
    return true;
}

bool ReadSliceFile(const std::string& path, std::vector<TSliceLine>& slices, std::string& error)
{
    // Only a regular file: a fifo or a device would block or never end.
    std::error_code failed;
    const bool regular = std::filesystem::is_regular_file(path, failed);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, failed) : 0;
    if (!regular || failed || size > kMaxFileBytes) {
        error = "cannot read " + path + " (not a regular file of at most 64 MiB)";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) {
        error = "cannot read " + path;
        return false;
    }
    return ParseSlices(text.str(), slices, error);
}

} // namespace tallyrun
