#include "shelltree/label_edit.h"

namespace tallyrun {
namespace {

// Resumes the watcher when the rename is over, however it ends.
class TResumeOnExit
{
public:
    explicit TResumeOnExit(const TWatchPause& pause) : pause_(pause)
    {
        if (pause_.suspend)
            pause_.suspend();
    }
    ~TResumeOnExit()
    {
        if (pause_.resume)
            pause_.resume();
    }
    TResumeOnExit(const TResumeOnExit&) = delete;
    TResumeOnExit& operator=(const TResumeOnExit&) = delete;

private:
    const TWatchPause& pause_;
};

} // namespace

bool CanStartLabelEdit(TQorShData* item, bool mouseIdle, bool editingAllowed)
{
    return item && item->IsValid() && mouseIdle && editingAllowed && item->Level() > 0 &&
           item->HasAttribute(saCanRename);
}

std::string FinishLabelEdit(TQorShData& item, const std::string& text, const TWatchPause& pause,
                            bool& renamed)
{
    {
        TResumeOnExit paused(pause);
        renamed = item.Rename(text);
    }
    return item.DisplayName();
}

} // namespace tallyrun
