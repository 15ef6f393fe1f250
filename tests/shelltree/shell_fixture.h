// A temporary home with a desktop directory, set as HOME for the test, and helpers that make
// folders and files in it and name them by identifier lists.
#pragma once

#include "shelltree/id_list.h"
#include "tests/support/temp_tree.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <string>

namespace tallyrun::test {

class ShellFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Paths below the temporary folder (raw bytes).
    std::string Root() const { return root_; }
    std::string Home() const { return root_ + "/home"; }
    std::string Desktop() const { return Home() + "/Desktop"; }
    std::string MakeDir(const std::string& path);
    std::string MakeFile(const std::string& path, const std::string& text = "x");
    // The absolute list of an existing path (under Computer); fails the test when none.
    TIDListPtr ListOf(const std::string& path);

private:
    TTempTree tree_;
    std::string root_;
    QByteArray oldHome_;
    QByteArray oldConfig_;
};

} // namespace tallyrun::test
