// The whole main window, after analysing a fixed folder tree, compared with a reference image
// for each language: tests/app/reference/main_window.png in Japanese, main_window_en_US.png in
// English. Locale, language, palette, style, fonts and window size are pinned; the
// tree lies at a fixed path so that the folder pane and the log show the same names on every
// run (a lock file keeps two test processes from sharing it). Pixels must match exactly, but
// for text: font rendering may vary a little between machines, so up to kTextTolerance of the
// pixels may differ. TALLYRUN_UPDATE_REFERENCE=1 rewrites the reference instead of comparing.
#include "app/main_window.h"

#include "app/event_pump.h"
#include "app/translations.h"
#include "base/fonts.h"
#include "shelltree/tree_view.h"
#include "tree_window.h"
#include "widgets/log_view.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPalette>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tallyrun::test {
namespace {

const std::string kTreePath = "/tmp/tallyrun-screenshot-test/サンプル";
const char* const kLockPath = "/tmp/tallyrun-screenshot-test.lock";
constexpr double kTextTolerance = 0.005; // share of all pixels

// Holds an exclusive lock on a file for the test's lifetime.
class TFileLock
{
public:
    explicit TFileLock(const char* path) : fd_(::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666))
    {
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX);
    }
    ~TFileLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

private:
    int fd_;
};

void MakeFixedTree()
{
    std::filesystem::remove_all(std::filesystem::path(kTreePath).parent_path());
    const struct
    {
        const char* path;
        std::size_t size;
    } files[] = {
        {"readme.txt", 12000},
        {"Photos/2024/beach.jpg", 480000},
        {"Photos/2025/snow.jpg", 310000},
        {"Music/live.flac", 520000},
        {"Documents/report.pdf", 95000},
        {"ダウンロードしたファイル/setup.iso", 140000},
    };
    for (const auto& f : files) {
        const std::filesystem::path p = std::filesystem::path(kTreePath) / f.path;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << std::string(f.size, 'x');
    }
}

QImage GrabAnalysedWindow()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    InstallFontSubstitutions();
    InstallEventPump(std::chrono::microseconds(0));
    auto* tree = NewTreeRootedAt(kTreePath);
    TfrmMain window(*tree, tree);
    window.resize(792, 500);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    tree->Loaded();
    window.memSearch->Flush();
    QApplication::processEvents();
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct TScreenshotCase
{
    const char* language;  // the UI language the window is drawn in
    const char* reference; // under tests/app/reference/
};

void PrintTo(const TScreenshotCase& shot, std::ostream* out)
{
    *out << shot.language;
}

class MainWindowScreenshotTest : public ::testing::TestWithParam<TScreenshotCase>
{
};

TEST_P(MainWindowScreenshotTest, TheAnalysedWindowMatchesTheReference)
{
    // The sizes in the chart and the log use the locale's separators; the test's main() pins
    // a locale that has these.
    ASSERT_EQ(QLocale::system().groupSeparator(), u",");
    ASSERT_EQ(QLocale::system().decimalPoint(), u".");
    const TInstalledTranslations translations =
        InstallTranslations({QString::fromLatin1(GetParam().language)});
    const TFileLock lock(kLockPath);
    MakeFixedTree();
    const QImage shot = GrabAnalysedWindow();
    std::filesystem::remove_all(std::filesystem::path(kTreePath).parent_path());
    const QString reference = QStringLiteral(TALLYRUN_SOURCE_DIR "/tests/app/reference/") +
                              QString::fromLatin1(GetParam().reference);
    if (qEnvironmentVariableIntValue("TALLYRUN_UPDATE_REFERENCE") == 1) {
        ASSERT_TRUE(shot.save(reference, "PNG"));
        GTEST_SKIP() << "reference rewritten: " << reference.toStdString();
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no reference; run with TALLYRUN_UPDATE_REFERENCE=1";
    ASSERT_EQ(shot.size(), expected.size());
    long differing = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            differing += shot.pixel(x, y) != expected.pixel(x, y);
    const long allowed = static_cast<long>(kTextTolerance * shot.width() * shot.height());
    if (differing > allowed) {
        const QString actual = QDir::temp().filePath(QStringLiteral("actual_") +
                                                     QString::fromLatin1(GetParam().reference));
        shot.save(actual, "PNG");
        ADD_FAILURE() << differing << " pixels differ (at most " << allowed
                      << " allowed); the window as drawn: " << actual.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(, MainWindowScreenshotTest,
                         ::testing::Values(TScreenshotCase{"ja_JP", "main_window.png"},
                                           TScreenshotCase{"en_US", "main_window_en_US.png"}),
                         [](const auto& info) { return std::string(info.param.language); });

} // namespace
} // namespace tallyrun::test
