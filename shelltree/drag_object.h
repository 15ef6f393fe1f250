// The data that another program offers while it drags over the tree: the identifier array when
// it offers one, else its file-name list. The payload is copied when the object is made and
// parsed on first use; a malformed payload yields no items at all, with a reason.
#pragma once

#include "shelltree/drop_id_array.h"

#include <QByteArray>

#include <stdexcept>
#include <string>
#include <vector>

class QMimeData;

namespace tallyrun {

// Raised when a drag object is made without data.
class EShParameterError : public std::invalid_argument
{
public:
    EShParameterError();
};

class TQorShDragObject
{
public:
    // The MIME type of the file-name list.
    static constexpr char kUriListMimeType[] = "text/uri-list";

    // True when the data offers one of the two formats a drop can use.
    static bool CanWrap(const QMimeData* data);

    // Raises EShParameterError when `data` is none.
    explicit TQorShDragObject(const QMimeData* data);

    bool HasIDArray() const { return isIDArray_; }
    // Whether the payload was understood; false also when the data offers neither format.
    bool IsWellFormed();
    const std::string& Error();

    // Number of dragged items; 0 for a malformed payload.
    int ItemCount();
    // The absolute list of the items' folder (identifier array only; none otherwise).
    PCItemIDList ParentIDList();
    // One relative list per item (identifier array only).
    const std::vector<TIDListPtr>& RelativeIDs();
    // Raw local paths (file-name list only).
    const std::vector<std::string>& FileNames();

private:
    void Parse();

    QByteArray payload_;
    bool isIDArray_ = false;
    bool parsed_ = false;
    bool ok_ = false;
    std::string error_;
    TIDArray array_;
    std::vector<std::string> fileNames_;
};

} // namespace tallyrun
