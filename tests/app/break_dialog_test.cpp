#include "app/break_dialog.h"

#include "base/fonts.h"

#include <QLabel>
#include <QRawFont>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

TEST(BreakDialog, CaptionSizeAndMessage)
{
    InstallFontSubstitutions();
    TfrmBreakDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("中断処理中"));
    EXPECT_EQ(dialog.size(), QSize(417, 265));
    EXPECT_EQ(dialog.lblMessage->pos(), QPoint(80, 48));
    EXPECT_EQ(dialog.lblMessage->text(),
              QStringLiteral("処理を中断しています\r\nしばらくお待ちください"));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(BreakDialog, MessageShowsAsTwoLinesWithoutAStrayGlyph)
{
    InstallFontSubstitutions();
    TfrmBreakDialog dialog;
    QLabel& message = *dialog.lblMessage;
    const QFontMetrics metrics(message.font());
    EXPECT_GE(message.height(), 2 * metrics.height());
    EXPECT_LT(message.height(), 3 * metrics.height());
    EXPECT_EQ(message.width(), metrics.horizontalAdvance(QStringLiteral("しばらくお待ちください")));

    // Drawn exactly as the same two lines split by a plain line feed: the carriage return
    // leaves no mark of its own.
    QLabel reference(QStringLiteral("処理を中断しています\nしばらくお待ちください"), &dialog);
    reference.setTextFormat(message.textFormat());
    reference.resize(message.size());
    const QImage shown = message.grab().toImage(), expected = reference.grab().toImage();
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected);

    // Every character has a glyph in the face the dialog's font resolves to.
    const QRawFont face = QRawFont::fromFont(message.font());
    for (QChar c : QStringLiteral("処理を中断しています しばらくお待ちください"))
        EXPECT_TRUE(face.supportsCharacter(c)) << int(c.unicode());
}

} // namespace
} // namespace tallyrun::test
