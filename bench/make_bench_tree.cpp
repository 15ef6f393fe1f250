// Builds the benchmark tree: about 300,000 files in 30,000 folders, the same tree on every run
// (a fixed seed and only the raw generator's output, whose sequence the language defines).
// Files are sparse: their sizes count, their blocks cost no disk. Some names are Japanese,
// some have spaces or capitals, some files are hidden; no folder is hidden, so every file is
// counted both by the folder totals and by du.
//
//   make_bench_tree DIR [FOLDERS [FILES]]
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

std::string FolderName(unsigned i, unsigned pick)
{
    switch (pick % 4) {
    case 0:
        return "資料_" + std::to_string(i);
    case 1:
        return "Project " + std::to_string(i);
    default:
        return "dir" + std::to_string(i);
    }
}

std::string FileName(unsigned i, unsigned pick)
{
    static const char* const kPrefixes[8] = {"写真_", "Report ", ".",    "file",
                                             "file",  "file",    "file", "file"};
    static const char* const kSuffixes[8] = {".jpg", ".PDF", ".cache", ".dat",
                                             ".dat", ".dat", ".dat",   ".dat"};
    std::string name = kPrefixes[pick % 8];
    name += std::to_string(i);
    name += kSuffixes[pick % 8];
    return name;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [FOLDERS [FILES]]\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    const unsigned folderCount = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30000;
    const unsigned fileCount = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 300000;
    std::mt19937 random(20261208);

    if (::mkdir(root.c_str(), 0755) != 0) {
        std::perror(root.c_str());
        return 1;
    }
    // Folder 0 is the root; each other folder goes under a folder made before it, picked
    // uniformly, which gives a tree about ten levels deep with a wide spread of fan-outs.
    std::vector<std::string> folders{root};
    for (unsigned i = 1; i < folderCount; ++i) {
        const unsigned parent = random() % i;
        folders.push_back(folders[parent] + "/" + FolderName(i, random()));
        if (::mkdir(folders.back().c_str(), 0755) != 0) {
            std::perror(folders.back().c_str());
            return 1;
        }
    }
    std::uint64_t bytes = 0;
    for (unsigned i = 0; i < fileCount; ++i) {
        const std::string path = folders[random() % folders.size()] + "/" + FileName(i, random());
        const off_t size = random() % 65536;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || ::ftruncate(fd, size) != 0) {
            std::perror(path.c_str());
            return 1;
        }
        ::close(fd);
        bytes += static_cast<std::uint64_t>(size);
    }
    std::printf("folders=%u files=%u file_bytes=%llu\n", folderCount, fileCount,
                static_cast<unsigned long long>(bytes));
    return 0;
}
