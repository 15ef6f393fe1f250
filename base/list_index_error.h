// The list-index error that every indexed list of the program raises for an index outside
// its range. Its message names the index.
#pragma once

#include <stdexcept>

namespace tallyrun {

class EListError : public std::out_of_range
{
public:
    explicit EListError(long long index);
    long long Index() const { return index_; }

private:
    long long index_;
};

// Raises EListError unless 0 <= index < count.
void CheckListIndex(long long index, long long count);

} // namespace tallyrun
