// Pins the application's palette to known, distinct colours for the life of a test, so pixel
// checks do not depend on the platform theme.
#pragma once

#include <QApplication>
#include <QPalette>

#include <initializer_list>
#include <utility>

namespace tallyrun::test {

struct TPinnedPalette
{
    static inline const QColor face{0xF0, 0xF0, 0xF0};
    static inline const QColor highlight{0xFF, 0xFF, 0xFF};
    static inline const QColor shadow{0xA0, 0xA0, 0xA0};
    static inline const QColor light3D{0xE3, 0xE3, 0xE3};
    static inline const QColor darkShadow3D{0x69, 0x69, 0x69};
    static inline const QColor windowText{0x00, 0x00, 0x00};
    static inline const QColor infoBk{0xFF, 0xFF, 0xE1};

    using TRoleColours = std::initializer_list<std::pair<QPalette::ColorRole, QColor>>;

    // The colours above.
    TPinnedPalette()
        : TPinnedPalette({{QPalette::Button, face},
                          {QPalette::Light, highlight},
                          {QPalette::Dark, shadow},
                          {QPalette::Midlight, light3D},
                          {QPalette::Shadow, darkShadow3D},
                          {QPalette::WindowText, windowText},
                          {QPalette::ToolTipBase, infoBk}})
    {
    }
    // Only the given roles, in every colour group.
    explicit TPinnedPalette(TRoleColours roles) : saved(QApplication::palette())
    {
        QPalette pal = saved;
        for (const auto& [role, colour] : roles)
            pal.setColor(role, colour);
        QApplication::setPalette(pal);
    }
    ~TPinnedPalette() { QApplication::setPalette(saved); }
    TPinnedPalette(const TPinnedPalette&) = delete;
    TPinnedPalette& operator=(const TPinnedPalette&) = delete;

    QPalette saved;
};

} // namespace tallyrun::test
