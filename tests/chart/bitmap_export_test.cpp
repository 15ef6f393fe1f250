// Writing the chart as a BMP file: the file's form, and every way the target can refuse to
// be written, each of which must raise the file-creation error and leave what was there.
#include "chart/bmp_encoder.h"
#include "chart_test_support.h"
#include "platform/atomic_file.h"
#include "tests/support/user_namespace.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace tallyrun::test {
namespace {

class BitmapExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetUpProgramChart(chart);
        ASSERT_TRUE(dir.isValid());
    }

    std::string PathIn(const QString& name) const
    {
        return QFile::encodeName(dir.filePath(name)).toStdString();
    }

    // The export must raise the file-creation error naming the file, and leave the target
    // (and the folder's listing) exactly as it was.
    void ExpectRefused(const std::string& path)
    {
        const QString qpath = QFile::decodeName(path.c_str());
        const std::string before = ReadFileBytes(qpath);
        const QStringList listing =
            QDir(QFileInfo(qpath).path()).entryList(QDir::AllEntries | QDir::Hidden);
        try {
            chart.ExportBitmapFile(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const platform::EFCreateError& error) {
            EXPECT_EQ(std::string(error.what()), "ファイル " + path + " を作成できません");
        }
        EXPECT_EQ(ReadFileBytes(qpath), before);
        EXPECT_EQ(QDir(QFileInfo(qpath).path()).entryList(QDir::AllEntries | QDir::Hidden),
                  listing);
    }

    void WriteExisting(const std::string& path, const std::string& bytes = "old picture")
    {
        QFile file(QFile::decodeName(path.c_str()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    TChartPalette palette;
    QTemporaryDir dir;
    TChart chart;
    RecordingSeries series{chart};
};

TEST_F(BitmapExport, FileHasTheClientSizeAndStandardHeaders)
{
    const std::string path = PathIn("chart.bmp");
    chart.ExportBitmapFile(path);
    const std::string bmp = ReadFileBytes(QFile::decodeName(path.c_str()));
    const std::size_t rowBytes = 1772; // 590 * 3 padded to a multiple of 4
    ASSERT_EQ(bmp.size(), 54 + rowBytes * 364);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Read32(bmp, 2), bmp.size());
    EXPECT_EQ(Read32(bmp, 6), 0u);
    EXPECT_EQ(Read32(bmp, 10), 54u);
    EXPECT_EQ(Read32(bmp, 14), 40u);
    EXPECT_EQ(Read32(bmp, 18), 590u);
    EXPECT_EQ(Read32(bmp, 22), 364u); // positive: bottom-up
    EXPECT_EQ(Read16(bmp, 26), 1);
    EXPECT_EQ(Read16(bmp, 28), 24);
    EXPECT_EQ(Read32(bmp, 30), 0u);
    EXPECT_EQ(Read32(bmp, 34), rowBytes * 364);
    EXPECT_EQ(bmp[54 + 590 * 3], 0); // row padding
}

TEST_F(BitmapExport, RowsAreBottomUpAndHoldTheBevels)
{
    const std::string path = PathIn("chart.bmp");
    chart.ExportBitmapFile(path);
    const std::string bmp = ReadFileBytes(QFile::decodeName(path.c_str()));
    // The first stored row is the bottom one: the lowered outer bevel's highlight.
    EXPECT_EQ(qRgb(static_cast<unsigned char>(bmp[56]), static_cast<unsigned char>(bmp[55]),
                   static_cast<unsigned char>(bmp[54])),
              kHighlight);
    EXPECT_EQ(BmpPixel(bmp, 0, 0), kShadow);
    EXPECT_EQ(BmpPixel(bmp, 300, 0), kShadow);
    EXPECT_EQ(BmpPixel(bmp, 589, 363), kHighlight);
    EXPECT_EQ(BmpPixel(bmp, 300, 363), kHighlight);
    EXPECT_EQ(BmpPixel(bmp, 1, 1), kHighlight); // raised inner bevel
    EXPECT_EQ(BmpPixel(bmp, 588, 362), kShadow);
    EXPECT_EQ(BmpPixel(bmp, 5, 5), kFace);
    EXPECT_EQ(BmpPixel(bmp, 100, 100), 0xFFFF0000u); // the series' plot area

    const QImage image = chart.RenderBitmap(clWhite, {0, 0, 590, 364});
    for (int y = 0; y < 364; y += 7)
        for (int x = 0; x < 590; x += 5)
            ASSERT_EQ(BmpPixel(bmp, x, y), image.pixel(x, y)) << x << "," << y;
}

TEST_F(BitmapExport, ReplacesAnExistingFileKeepingItsMode)
{
    const std::string path = PathIn("チャート 100%.bmp");
    WriteExisting(path);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    chart.ExportBitmapFile(path);
    const std::string bmp = ReadFileBytes(QFile::decodeName(path.c_str()));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    struct stat st
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(BitmapExport, RefusesAFolder)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("a%1b%s"));
    ExpectRefused(PathIn("a%1b%s"));
}

TEST_F(BitmapExport, RefusesAFifoWithoutHanging)
{
    const std::string path = PathIn("pipe.bmp");
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
    ExpectRefused(path);
}

TEST_F(BitmapExport, RefusesAReadOnlyFile)
{
    const std::string path = PathIn("kept.bmp");
    WriteExisting(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ExpectRefused(path);
}

TEST_F(BitmapExport, RefusesASymbolicLink)
{
    const std::string target = PathIn("real.bmp");
    WriteExisting(target);
    const std::string link = PathIn("link.bmp");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ExpectRefused(link);
    EXPECT_EQ(ReadFileBytes(QFile::decodeName(target.c_str())), "old picture");
}

TEST_F(BitmapExport, RefusesAMissingFolder)
{
    ExpectRefused(PathIn("missing/chart.bmp"));
}

// The folder may not be written: as root, with the effective user switched to nobody for the
// export; otherwise with the folder's write permission taken away.
TEST_F(BitmapExport, RefusesAnUnwritableFolder)
{
    const std::string path = PathIn("chart.bmp");
    WriteExisting(path);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    if (::geteuid() == 0) {
        // Back to root however the check ends.
        struct AsNobody
        {
            AsNobody() { ok = ::setresuid(-1, 65534, -1) == 0; }
            ~AsNobody() { (void)!::setresuid(-1, 0, -1); }
            bool ok;
        } nobody;
        ASSERT_TRUE(nobody.ok);
        ExpectRefused(path);
    } else {
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
        ExpectRefused(path);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    }
}

// A file size limit makes the write fail half way (EFBIG), as a full disk does.
TEST_F(BitmapExport, WriteFailingHalfWayLeavesTheOldFile)
{
    const std::string path = PathIn("chart.bmp");
    WriteExisting(path);
    struct rlimit saved
    {
    };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    ExpectRefused(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

// A child process holds a 64 KiB tmpfs in a mount namespace of its own; this process writes
// into it through /proc/<child>/root.
class FullDisk
{
public:
    explicit FullDisk(const std::string& mountPoint) : mountPoint_(mountPoint) {}
    ~FullDisk() { Stop(); }

    // Empty on success, else why the namespace could not be made.
    std::string Start()
    {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return "no pipe";
        const std::string existing = mountPoint_ + "/chart.bmp";
        const std::string filler = mountPoint_ + "/filler";
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            // Only system calls from here: the parent may have other threads.
            if (!EnterUserNamespace() || !MountTinyDisk(mountPoint_.c_str()))
                ::_exit(4);
            int fd = ::open(existing.c_str(), O_WRONLY | O_CREAT, 0666);
            if (fd < 0 || ::write(fd, "old picture", 11) != 11)
                ::_exit(5);
            ::close(fd);
            fd = ::open(filler.c_str(), O_WRONLY | O_CREAT, 0666);
            static char block[4096];
            while (fd >= 0 && ::write(fd, block, sizeof block) > 0) {
            }
            ::close(fd);
            ::write(ready[1], "k", 1);
            char c;
            ::read(release[0], &c, 1); // until the parent closes its end
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char c = 0;
        const bool ok = pid_ > 0 && ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
        if (!ok) {
            Stop();
            return "user and mount namespaces are not available here";
        }
        return {};
    }

    std::string Path(const std::string& name) const
    {
        return "/proc/" + std::to_string(pid_) + "/root" + mountPoint_ + "/" + name;
    }

private:
    void Stop()
    {
        if (release_ >= 0)
            ::close(release_);
        release_ = -1;
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    std::string mountPoint_;
    pid_t pid_ = -1;
    int release_ = -1;
};

TEST_F(BitmapExport, FullDiskLeavesTheOldFile)
{
    FullDisk disk(QFile::encodeName(dir.path()).toStdString());
    if (const std::string why = disk.Start(); !why.empty())
        GTEST_SKIP() << "no tmpfs of 64 KiB can be mounted: " << why;
    const std::string path = disk.Path("chart.bmp");
    ASSERT_EQ(ReadFileBytes(QFile::decodeName(path.c_str())), "old picture");
    ExpectRefused(path);
}

TEST(BmpEncoder, PadsRowsAndStoresBlueGreenRed)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(1, 2, 3));
    image.setPixel(2, 1, qRgb(7, 8, 9));
    const std::string bmp = EncodeBmp(image);
    ASSERT_EQ(bmp.size(), 54u + 12 * 2);
    EXPECT_EQ(bmp.substr(54 + 6, 3), std::string("\x09\x08\x07", 3)); // bottom row first
    EXPECT_EQ(bmp.substr(54 + 12, 3), std::string("\x03\x02\x01", 3));
    EXPECT_EQ(bmp.substr(54 + 9, 3), std::string(3, '\0'));
}

TEST(BmpEncoder, EmptyImageGivesHeadersOnly)
{
    EXPECT_EQ(EncodeBmp(QImage()).size(), 54u);
}

} // namespace
} // namespace tallyrun::test
