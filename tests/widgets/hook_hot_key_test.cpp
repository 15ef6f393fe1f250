// The hot-key component without an X server (offscreen platform): the modifier mapping, the
// application shortcut that stands in, the event, Activate and errors raised by the handler.
#include "widgets/hook_hot_key.h"

#include "base/handler_errors.h"
#include "platform/x11_keysym.h"
#include "widgets/hot_key_modifiers.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <stdexcept>

namespace tallyrun::test {
namespace {

TEST(HotKeyModifiersTest, MapsShiftStateToHotKeyModifiers)
{
    const struct
    {
        Qt::KeyboardModifiers shift;
        std::uint32_t expected;
    } cases[] = {
        {Qt::NoModifier, 0x0000},
        {Qt::ShiftModifier, 0x0004},
        {Qt::AltModifier, 0x0001},
        {Qt::ControlModifier, 0x0002},
        {Qt::ControlModifier | Qt::ShiftModifier, 0x0006},
        {Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, 0x0007},
        {Qt::KeypadModifier, 0x0000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HotKeyModifiers(c.shift), c.expected) << c.shift.toInt();
}

TEST(HotKeyModifiersTest, KeySymsOfHotKeys)
{
    EXPECT_EQ(platform::KeySymForQtKey(Qt::Key_F5), 0xFFC2u);
    EXPECT_EQ(platform::KeySymForQtKey(Qt::Key_F1), 0xFFBEu);
    EXPECT_EQ(platform::KeySymForQtKey(Qt::Key_A), 0x61u);
    EXPECT_EQ(platform::KeySymForQtKey(Qt::Key_5), 0x35u);
    EXPECT_EQ(platform::KeySymForQtKey(Qt::Key_Escape), 0xFF1Bu);
    EXPECT_EQ(platform::KeySymForQtKey(Qt::Key_unknown), 0u);
}

struct THotKeyLog
{
    std::vector<int> indexes;
    std::vector<THookHotKey*> senders;
};

class HookHotKeyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.setWindowTitle("owner");
        other.setWindowTitle("other");
        owner.show();
        other.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
        previousDisplay = SetHandlerErrorDisplay([this](const QString& m) { errors << m; });
    }
    void TearDown() override { SetHandlerErrorDisplay(previousDisplay); }

    void ActivateOther()
    {
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    }

    QWidget owner;
    QWidget other;
    QStringList errors;
    TErrorDisplay previousDisplay;
};

TEST_F(HookHotKeyTest, WithoutXConnectionTheApplicationShortcutStandsIn)
{
    auto* hotKey = new THookHotKey(&owner);
    EXPECT_TRUE(hotKey->Activate());
    THotKeyLog log;
    hotKey->SetOnHotKey([&](THookHotKey* sender, int index) {
        log.senders.push_back(sender);
        log.indexes.push_back(index);
    });
    EXPECT_FALSE(hotKey->RegisterShortCut(0, Qt::Key_F5));
    EXPECT_FALSE(hotKey->RegisterShortCut(3, Qt::CTRL | Qt::SHIFT | Qt::Key_F8));

    // F5 in another window of the program reaches the handler and brings the owner forward.
    ActivateOther();
    QTest::keyClick(&other, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.indexes.size() == 1; }));
    EXPECT_EQ(log.indexes[0], 0);
    EXPECT_EQ(log.senders[0], hotKey);
    EXPECT_TRUE(QTest::qWaitFor([&] { return owner.isActiveWindow(); }));
    QTest::keyClick(&owner, Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.indexes.size() == 2; }));
    EXPECT_EQ(log.indexes[1], 3);

    // The shortcuts go with the component.
    delete hotKey;
    QTest::keyClick(&owner, Qt::Key_F5);
    QCoreApplication::processEvents();
    EXPECT_EQ(log.indexes.size(), 2u);
}

// A dialog that locks its owner without a modal loop has the focus: the key still arrives once
// per press, and the disabled owner is left as it is.
TEST_F(HookHotKeyTest, WithoutXConnectionTheKeyWorksWhileTheOwnerIsDisabled)
{
    THookHotKey hotKey(&owner);
    hotKey.SetActivate(false);
    int raised = 0;
    hotKey.SetOnHotKey([&](THookHotKey*, int) { ++raised; });
    EXPECT_FALSE(hotKey.RegisterShortCut(0, Qt::Key_F5));
    owner.setEnabled(false);
    ActivateOther();
    QTest::keyClick(&other, Qt::Key_F5);
    EXPECT_EQ(raised, 1);
    QTest::keyClick(&other, Qt::Key_F5, Qt::ShiftModifier); // another key
    QTest::keyClick(&other, Qt::Key_F5, Qt::NoModifier, -1);
    owner.setEnabled(true);
    EXPECT_EQ(raised, 2);
}

TEST_F(HookHotKeyTest, ActivateFalseLeavesTheActiveWindow)
{
    THookHotKey hotKey(&owner);
    hotKey.SetActivate(false);
    int raised = 0;
    hotKey.SetOnHotKey([&](THookHotKey*, int index) { raised += index; });
    ActivateOther();
    hotKey.DoHotKey(7);
    EXPECT_EQ(raised, 7);
    QCoreApplication::processEvents();
    EXPECT_TRUE(other.isActiveWindow());
}

TEST_F(HookHotKeyTest, NoHandlerMeansNoActivation)
{
    THookHotKey hotKey(&owner);
    ActivateOther();
    hotKey.DoHotKey(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(other.isActiveWindow());
}

TEST_F(HookHotKeyTest, WithoutOwnerTheEventStillArrives)
{
    THookHotKey hotKey(nullptr);
    int raised = -1;
    hotKey.SetOnHotKey([&](THookHotKey*, int index) { raised = index; });
    EXPECT_FALSE(hotKey.RegisterShortCut(0, Qt::Key_F5));
    hotKey.DoHotKey(2);
    EXPECT_EQ(raised, 2);
}

// An error raised by the handler is shown once per press and the next press works again.
TEST_F(HookHotKeyTest, HandlerErrorIsShownAndTheLoopGoesOn)
{
    THookHotKey hotKey(&owner);
    int calls = 0;
    hotKey.SetOnHotKey([&](THookHotKey*, int) {
        if (++calls == 1)
            throw std::runtime_error("集計に失敗しました");
    });
    hotKey.RegisterShortCut(0, Qt::Key_F5);
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    QTest::keyClick(&owner, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return errors.size() == 1; }));
    EXPECT_EQ(errors[0], QString::fromUtf8("集計に失敗しました"));
    QTest::keyClick(&owner, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls == 2; }));
    EXPECT_EQ(errors.size(), 1);
}

} // namespace
} // namespace tallyrun::test
