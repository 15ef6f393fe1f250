// One node of the folder tree: a row of the tree widget that owns the item record of the
// namespace item it shows. Its label, icons and text colour come from the record, fetched
// when the view paints the row.
#pragma once

#include "shelltree/item_data.h"

#include <QTreeWidgetItem>

#include <memory>

namespace tallyrun {

class TCustomQorShTreeView;

class TQorShTreeNode : public QTreeWidgetItem, public TShItemNode
{
public:
    // Takes the record; the record remembers the node until the node goes.
    explicit TQorShTreeNode(std::unique_ptr<TQorShFolderData> item);
    ~TQorShTreeNode() override;

    TQorShFolderData* Item() const { return item_.get(); }
    // The node exists, has an item and the item has both identifier lists.
    static bool IsValid(const TQorShTreeNode* node);
    int Level() const { return item_ ? item_->Level() : -1; }
    // How many nodes exist in the process (all are made and deleted on the UI thread); the
    // soak's probe reports it next to the memory figures.
    static long LiveCount() { return liveCount_; }

    TQorShTreeNode* ParentNode() const;
    TQorShTreeNode* ChildNode(int index) const;
    TCustomQorShTreeView* View() const;

    // The has-children mark: with it the expand button shows before the node is populated.
    void SetHasChildren(bool hasChildren);
    bool HasChildren() const;
    // Reads the has-children mark from the record again, forgets the overlay and the
    // compressed state (read again when the row is next drawn) and clears the cut look.
    void Attach();
    bool IsCut() const { return cut_; }
    int Overlay() const;
    bool IsCompressed() const;
    bool IsDropHighlighted() const { return dropHighlighted_; }
    void SetDropHighlighted(bool on);

    QVariant data(int column, int role) const override;

    int AbsoluteIndex() const override;
    QObject* TreeControl() const override;
    void ItemRenamed(bool accepted) override;

private:
    static inline long liveCount_ = 0;
    std::unique_ptr<TQorShFolderData> item_;
    // Read when first drawn: each costs a look at the disk, and only the rows on screen
    // need them.
    mutable int overlay_ = -1;
    mutable bool overlayKnown_ = false;
    mutable bool compressed_ = false;
    mutable bool compressedKnown_ = false;
    bool cut_ = false;
    bool dropHighlighted_ = false;
};

} // namespace tallyrun
