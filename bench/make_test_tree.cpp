// make_test_tree DIR FILES
//
// Builds a folder tree of FILES files under DIR (created; must not exist yet) for the run's
// benchmarks: 40 top-level folders (a few with Japanese or long names), three levels below
// each, about 100 files per folder, sizes from 0 to 64 KiB set by truncation, so the tree
// costs inodes but almost no disk blocks. Deterministic: the same arguments give the same tree.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_test_tree DIR FILES\n");
        return 2;
    }
    const fs::path root = argv[1];
    const long files = std::atol(argv[2]);
    if (fs::exists(root)) {
        std::fprintf(stderr, "make_test_tree: %s exists\n", argv[1]);
        return 1;
    }
    std::mt19937 rng(42);
    constexpr int kTop = 40;
    constexpr int kPerFolder = 100;
    long made = 0;
    long folderNo = 0;
    while (made < files) {
        const int top = int(folderNo % kTop);
        std::string topName = top % 10 == 3   ? "日本語のフォルダ" + std::to_string(top)
                              : top % 10 == 7 ? "a_rather_long_folder_name_" + std::to_string(top)
                                              : "dir" + std::to_string(top);
        const fs::path folder = root / topName / ("l1_" + std::to_string(folderNo / kTop % 8)) /
                                ("l2_" + std::to_string(folderNo / kTop / 8 % 8)) /
                                ("l3_" + std::to_string(folderNo / kTop / 64));
        fs::create_directories(folder);
        for (int i = 0; i < kPerFolder && made < files; ++i, ++made) {
            const fs::path file = folder / ("file_" + std::to_string(made) + ".dat");
            const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
            if (fd < 0 || ::ftruncate(fd, off_t(rng() % 65536)) != 0) {
                std::perror(file.c_str());
                return 1;
            }
            ::close(fd);
        }
        ++folderNo;
    }
    std::printf("files=%ld folders=%ld\n", made, folderNo);
    return 0;
}
