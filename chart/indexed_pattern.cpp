#include "chart/indexed_pattern.h"

namespace tallyrun {

std::string FormatIndexed(const std::string& pattern, const std::string& arg0,
                          const std::string& arg1)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 4, "%0:s") == 0) {
            out += arg0;
            i += 3;
        } else if (pattern.compare(i, 4, "%1:s") == 0) {
            out += arg1;
            i += 3;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

} // namespace tallyrun
