#include "widgets/hot_key_route.h"

#include <QKeySequence>
#include <QStringList>

namespace tallyrun {

namespace {

constexpr int kMaxTriggerLength = 64;

// The key's name as the shortcuts texts spell it: an xkb key-symbol name.
QString KeyName(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(u'a' + (key - Qt::Key_A)));
    return QKeySequence(key).toString(QKeySequence::PortableText);
}

QString CleanTrigger(const QString& trigger)
{
    QString clean = trigger.left(kMaxTriggerLength);
    for (QChar& c : clean) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return clean.trimmed();
}

// The key a trigger text names, read as Qt's portable text after the shortcuts texts'
// upper-case modifier names are given Qt's spelling.
QKeyCombination KeyOfTrigger(QString text)
{
    const std::pair<const char*, const char*> names[] = {
        {"CTRL", "Ctrl"}, {"CONTROL", "Ctrl"}, {"ALT", "Alt"},   {"SHIFT", "Shift"},
        {"LOGO", "Meta"}, {"SUPER", "Meta"},   {"META", "Meta"},
    };
    QStringList parts = text.split(QLatin1Char('+'));
    for (QString& part : parts) {
        const QString upper = part.trimmed().toUpper();
        for (const auto& [from, to] : names) {
            if (upper == QLatin1String(from))
                part = QLatin1String(to);
        }
    }
    const QKeySequence sequence(parts.join(QLatin1Char('+')), QKeySequence::PortableText);
    return sequence.count() == 1 ? sequence[0] : QKeyCombination();
}

} // namespace

THotKeyRoute ChooseHotKeyRoute(const THotKeySession& session)
{
    if (session.portalVersion >= 1)
        return THotKeyRoute::hkrPortal;
    if (session.x11Connection && !session.waylandSession)
        return THotKeyRoute::hkrX11Grab;
    return THotKeyRoute::hkrInWindow;
}

bool IsWaylandSession(const std::function<QString(const char* name)>& variable)
{
    return !variable("WAYLAND_DISPLAY").isEmpty() ||
           variable("XDG_SESSION_TYPE").compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
}

QString PortalTriggerText(QKeyCombination key)
{
    QString text;
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    const std::pair<Qt::KeyboardModifier, const char*> names[] = {
        {Qt::ControlModifier, "CTRL+"},
        {Qt::AltModifier, "ALT+"},
        {Qt::ShiftModifier, "SHIFT+"},
        {Qt::MetaModifier, "LOGO+"},
    };
    for (const auto& [modifier, name] : names) {
        if (modifiers & modifier)
            text += QLatin1String(name);
    }
    return text + KeyName(key.key());
}

THotKeyBinding ClassifyTrigger(const QString& trigger, QKeyCombination asked)
{
    const QString clean = CleanTrigger(trigger);
    if (clean.isEmpty())
        return {THotKeyBindingState::hbsNone, {}};
    // Qt reads a lone letter as its upper-case key, as it does the asked key.
    const QKeyCombination bound = KeyOfTrigger(clean);
    if (bound.key() == asked.key() && bound.keyboardModifiers() == asked.keyboardModifiers())
        return {THotKeyBindingState::hbsAsAsked, clean};
    return {THotKeyBindingState::hbsOther, clean};
}

} // namespace tallyrun
