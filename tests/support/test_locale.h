// Every test program runs in one locale, whatever the machine's is: the texts and numbers the
// tests compare (thousands separators, mark and legend patterns, sort orders) follow the
// locale, and LANGUAGE would change the UI languages. Tests of another language install its
// translators themselves. Called first thing in main(), before Qt reads the locale.
#pragma once

#include <cstdlib>

namespace tallyrun::test {

inline void PinTestLocale()
{
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::unsetenv("LANGUAGE");
}

} // namespace tallyrun::test
