#include "shell_fixture.h"

#include <filesystem>
#include <fstream>

namespace tallyrun::test {

void ShellFixture::SetUp()
{
    ASSERT_TRUE(std::filesystem::is_directory(tree_.Root()));
    root_ = tree_.Folder();
    oldHome_ = qgetenv("HOME");
    oldConfig_ = qgetenv("XDG_CONFIG_HOME");
    MakeDir(Home());
    MakeDir(Desktop());
    qputenv("HOME", QByteArray::fromStdString(Home()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Home() + "/.config"));
}

void ShellFixture::TearDown()
{
    qputenv("HOME", oldHome_);
    if (oldConfig_.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig_);
}

std::string ShellFixture::MakeDir(const std::string& path)
{
    // Raw bytes: QDir would re-encode a name that is not UTF-8.
    std::error_code error;
    std::filesystem::create_directories(path, error);
    EXPECT_TRUE(std::filesystem::is_directory(path)) << path;
    return path;
}

std::string ShellFixture::MakeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TIDListPtr ShellFixture::ListOf(const std::string& path)
{
    PItemIDList list = nullptr;
    EXPECT_TRUE(TQorShID::IDListFromPath(path, list)) << path;
    return TIDListPtr(list);
}

} // namespace tallyrun::test
