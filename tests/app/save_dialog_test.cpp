// The main window's save dialog, the toolkit's real file dialog on the offscreen platform: what
// its file type reads and which folder it opens in. HOME and the XDG folders point into a
// temporary folder for the test.
#include "app/save_dialog.h"

#include "run_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <string>
#include <vector>

namespace tallyrun::test {
namespace {

// What the open dialog showed (as std::string, which failures print readably).
struct TShownDialog
{
    std::vector<std::string> fileTypes;
    std::string folder;
    std::string name;
};

// Sets an environment variable for the test's lifetime.
class TScopedEnv
{
public:
    TScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~TScopedEnv() { had_ ? void(qputenv(name_, old_)) : void(qunsetenv(name_)); }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

class SaveDialogTest : public ::testing::Test
{
protected:
    SaveDialogTest()
        : home(dir.path() + "/home"), pictures(home + "/Bilder"), homeEnv("HOME", home.toUtf8()),
          configEnv("XDG_CONFIG_HOME", (home + "/.config").toUtf8()), window(folder)
    {
        QDir().mkpath(home + "/.config");
        QFile dirs(home + "/.config/user-dirs.dirs");
        EXPECT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    }

    // Runs the window's save dialog; `answer` reads the open dialog and then accepts it with a
    // name typed in, or cancels it when it gives none. The chosen name, or nothing.
    std::optional<std::string> Run(TShownDialog& shown, const QString& typed = {})
    {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            const auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            for (int i = 0; types && i < types->count(); ++i)
                shown.fileTypes.push_back(types->itemText(i).toStdString());
            shown.folder = dialog->directory().absolutePath().toStdString();
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            shown.name = name ? name->text().toStdString() : std::string();
            if (typed.isEmpty() || !name) {
                dialog->reject();
                return;
            }
            name->setText(typed);
            static_cast<QDialog*>(dialog)->accept(); // as the save button does
        });
        poll.start(10);
        if (!window.SaveDialog1->Execute())
            return std::nullopt;
        return window.SaveDialog1->FileName().toStdString();
    }

    QTemporaryDir dir;
    QString home;
    QString pictures;
    TScopedEnv homeEnv;
    TScopedEnv configEnv;
    TFakeSelectedFolder folder;
    TfrmMain window;
};

TEST_F(SaveDialogTest, TheFileTypeShowsItsDescriptionOnce)
{
    TShownDialog shown;
    EXPECT_EQ(Run(shown), std::nullopt);
    EXPECT_EQ(shown.fileTypes, std::vector<std::string>{"ビットマップファイル(*.bmp)"});
}

TEST_F(SaveDialogTest, OpensInTheLastSavesFolderElseInPicturesElseAtHome)
{
    const QString out = dir.path() + "/out";
    const std::string picturesPath = pictures.toStdString();
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(QDir().mkpath(pictures));
    TShownDialog first;
    EXPECT_EQ(Run(first), std::nullopt);
    EXPECT_EQ(first.folder, picturesPath);

    ASSERT_TRUE(QDir(pictures).removeRecursively());
    TShownDialog noPictures;
    // The name typed without an extension gets the default one.
    EXPECT_EQ(Run(noPictures, out + "/chart"), (out + "/chart.bmp").toStdString());
    EXPECT_EQ(noPictures.folder, home.toStdString());

    TShownDialog afterSave;
    EXPECT_EQ(Run(afterSave), std::nullopt);
    EXPECT_EQ(afterSave.folder, out.toStdString());
    EXPECT_EQ(afterSave.name, "chart.bmp");

    // A cancelled dialog keeps the last save; a folder that has gone since is not offered.
    ASSERT_TRUE(QDir(out).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(pictures));
    TShownDialog folderGone;
    EXPECT_EQ(Run(folderGone), std::nullopt);
    EXPECT_EQ(folderGone.folder, picturesPath);
    EXPECT_EQ(folderGone.name, "");
}

} // namespace
} // namespace tallyrun::test
