#include "shelltree/drag_object.h"

#include "shelltree/drop_uri_list.h"
#include "shelltree/tree_text.h"

#include <QCoreApplication>
#include <QMimeData>

namespace tallyrun {

EShParameterError::EShParameterError()
    : std::invalid_argument(
          QCoreApplication::translate("EShParameterError", "パラメータが不正です。").toStdString())
{
}

bool TQorShDragObject::CanWrap(const QMimeData* data)
{
    return data && (data->hasFormat(kIDArrayMimeType) || data->hasFormat(kUriListMimeType));
}

TQorShDragObject::TQorShDragObject(const QMimeData* data)
{
    if (!data)
        throw EShParameterError();
    // The identifier array is asked first: it names items outside the file system too.
    if (data->hasFormat(kIDArrayMimeType)) {
        isIDArray_ = true;
        payload_ = data->data(kIDArrayMimeType);
    } else if (data->hasFormat(kUriListMimeType)) {
        payload_ = data->data(kUriListMimeType);
    } else {
        parsed_ = true;
        error_ = TreeText(QT_TRANSLATE_NOOP(
            "TQorShTreeView",
            "ドロップされたデータには識別子の配列もファイルの一覧もありません。"));
    }
}

void TQorShDragObject::Parse()
{
    if (parsed_)
        return;
    parsed_ = true;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(payload_.constData());
    const auto size = static_cast<std::size_t>(payload_.size());
    if (isIDArray_) {
        TIDArrayResult result = ParseIDArray(bytes, size);
        ok_ = result.ok;
        error_ = std::move(result.error);
        array_ = std::move(result.array);
    } else {
        TUriListResult result = ParseUriList(std::string_view(payload_.constData(), size));
        ok_ = result.ok;
        error_ = std::move(result.error);
        fileNames_ = std::move(result.paths);
    }
}

bool TQorShDragObject::IsWellFormed()
{
    Parse();
    return ok_;
}

const std::string& TQorShDragObject::Error()
{
    Parse();
    return error_;
}

int TQorShDragObject::ItemCount()
{
    Parse();
    if (!ok_)
        return 0;
    return static_cast<int>(isIDArray_ ? array_.items.size() : fileNames_.size());
}

PCItemIDList TQorShDragObject::ParentIDList()
{
    Parse();
    return ok_ ? array_.parent.get() : nullptr;
}

const std::vector<TIDListPtr>& TQorShDragObject::RelativeIDs()
{
    Parse();
    return array_.items;
}

const std::vector<std::string>& TQorShDragObject::FileNames()
{
    Parse();
    return fileNames_;
}

} // namespace tallyrun
