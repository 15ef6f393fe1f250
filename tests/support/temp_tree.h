// A folder tree made at run time in a fresh temp folder and removed with everything in it
// (also trees deeper than the longest path the system accepts, and unreadable folders).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tallyrun::test {

class TTempTree
{
public:
    TTempTree();
    ~TTempTree();
    TTempTree(const TTempTree&) = delete;
    TTempTree& operator=(const TTempTree&) = delete;

    // The tree's root, ending in "/".
    const std::string& Root() const { return root_; }
    // The root as a folder path, without the final "/".
    std::string Folder() const { return root_.substr(0, root_.size() - 1); }
    std::string Path(const std::string& relative) const { return root_ + relative; }

    // Relative paths; parents must exist. Sizes are made by truncation, so files are sparse.
    void Dir(const std::string& relative, unsigned mode = 0755) const;
    void File(const std::string& relative, std::uint64_t size = 0) const;
    // A file holding `contents`, for tests that read or compare what is in it.
    void Write(const std::string& relative, std::string_view contents) const;
    void Link(const std::string& relative, const std::string& target) const;
    void Fifo(const std::string& relative) const;
    void SetLastWrite(const std::string& relative, std::int64_t secondsSinceEpoch) const;

private:
    std::string root_;
};

// Makes `count` empty files named "fill-NNNNN" in the folder `relative`, to put files that a
// test tampers with beyond the measuring lead.
void MakeFillerFiles(const TTempTree& tree, const std::string& relative, int count);

} // namespace tallyrun::test
