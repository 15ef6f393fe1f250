// Setters compare before they store: an equal value changes nothing and repaints nothing.
#pragma once

namespace tallyrun {

// Stores `value` in `field` and returns true only when they differ.
template <typename T> bool StoreIfChanged(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace tallyrun
