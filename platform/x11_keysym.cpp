#include "platform/x11_keysym.h"

#include <Qt>

#include <array>
#include <utility>

namespace tallyrun::platform {

namespace {

constexpr std::uint32_t kKeySymF1 = 0xFFBE;

// Qt's function keys that have a keysym of their own.
constexpr std::array<std::pair<int, std::uint32_t>, 22> kSpecialKeys = {{
    {Qt::Key_Escape, 0xFF1B},    {Qt::Key_Tab, 0xFF09},      {Qt::Key_Backtab, 0xFE20},
    {Qt::Key_Backspace, 0xFF08}, {Qt::Key_Return, 0xFF0D},   {Qt::Key_Enter, 0xFF8D},
    {Qt::Key_Insert, 0xFF63},    {Qt::Key_Delete, 0xFFFF},   {Qt::Key_Pause, 0xFF13},
    {Qt::Key_Print, 0xFF61},     {Qt::Key_SysReq, 0xFF15},   {Qt::Key_Clear, 0xFF0B},
    {Qt::Key_Home, 0xFF50},      {Qt::Key_End, 0xFF57},      {Qt::Key_Left, 0xFF51},
    {Qt::Key_Up, 0xFF52},        {Qt::Key_Right, 0xFF53},    {Qt::Key_Down, 0xFF54},
    {Qt::Key_PageUp, 0xFF55},    {Qt::Key_PageDown, 0xFF56}, {Qt::Key_Menu, 0xFF67},
    {Qt::Key_Help, 0xFF6A},
}};

} // namespace

std::uint32_t KeySymForQtKey(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<std::uint32_t>(qtKey - Qt::Key_A + 'a');
    // Printable Latin-1 keys share their code with the keysym.
    if ((qtKey >= 0x20 && qtKey <= 0x7E) || (qtKey >= 0xA0 && qtKey <= 0xFF))
        return static_cast<std::uint32_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return kKeySymF1 + static_cast<std::uint32_t>(qtKey - Qt::Key_F1);
    for (const auto& [key, keySym] : kSpecialKeys) {
        if (key == qtKey)
            return keySym;
    }
    return 0;
}

} // namespace tallyrun::platform
