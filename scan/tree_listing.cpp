#include "scan/tree_listing.h"

#include "platform/dir_reader.h"
#include "platform/entry_info.h"
#include "platform/find_file.h"
#include "scan/dir_cursor.h"
#include "scan/name_order.h"
#include "scan/pump_events.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace tallyrun {

namespace {

using platform::TEntryType;

struct TChild
{
    std::size_t nameOffset;
    std::uint32_t nameLength;
    bool isFolder;
    std::uint64_t size; // of a file, when the walk measures sizes
};

struct TFrame
{
    std::uint32_t folder;
    std::uint32_t depth; // 0 for the root
    std::uint64_t device;
    std::vector<TChild> children; // in list order
    std::size_t next = 0;
};

class TTreeWalk
{
public:
    // With a `splitDepth`, folders at that depth are entered but not read: they are noted in
    // `units` with the place of their files in the list.
    TTreeWalk(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options,
              std::uint32_t splitDepth = 0, std::vector<TSplitUnit>* units = nullptr)
        : listing_(listing), cursor_(cursor), options_(options), splitDepth_(splitDepth),
          units_(units)
    {
    }

    void Run()
    {
        listing_.folders.assign(1, TListedFolder{0, 0, listing_.StoreName("")});
        const int rootFd = cursor_.Open(0);
        if (options_.onFolder)
            options_.onFolder(0);
        if (rootFd < 0)
            return;
        const auto identity = platform::IdentityOf(rootFd);
        if (!identity || platform::IsPseudoFileSystem(rootFd))
            return;
        visited_.insert(*identity);
        listing_.entered.emplace_back(0, *identity);
        frames_.push_back(TFrame{0, 0, identity->device, ReadFolder(rootFd), 0});
        while (!frames_.empty()) {
            TFrame& frame = frames_.back();
            if (frame.next == frame.children.size()) {
                frames_.pop_back();
                continue;
            }
            const TChild child = frame.children[frame.next++];
            if (child.isFolder)
                Enter(frame, child);
            else
                listing_.files.push_back(
                    TListedFile{frame.folder, child.nameLength, child.nameOffset, child.size});
        }
    }

private:
    void Enter(const TFrame& parent, const TChild& child)
    {
        const auto index = static_cast<std::uint32_t>(listing_.folders.size());
        listing_.folders.push_back(
            TListedFolder{parent.folder, child.nameLength, child.nameOffset});
        const int fd = cursor_.Open(index);
        const auto status = fd < 0 ? std::nullopt : platform::StatusOf(fd);
        const bool enter =
            status && visited_.insert(status->identity).second &&
            (status->identity.device == parent.device || !platform::IsPseudoFileSystem(fd));
        // A folder left out keeps its record: the cursor may hold its index as failed, so the
        // index must not be given to another folder.
        if (!enter)
            return;
        listing_.entered.emplace_back(index, status->identity);
        if (options_.onFolder)
            options_.onFolder(index);
        if (options_.pumpEvents)
            PumpEvents();
        ThrowIfAbandoned();
        if (units_ && (parent.depth + 1 == splitDepth_ ||
                       status->subfolders == platform::TSubfolders::sfNone)) {
            units_->push_back(TSplitUnit{index, listing_.files.size(), status->subfolders});
            return;
        }
        frames_.push_back(
            TFrame{index, parent.depth + 1, status->identity.device, ReadFolder(fd), 0});
    }

    // The entries of one folder that the listing keeps, in list order.
    std::vector<TChild> ReadFolder(int fd)
    {
        std::vector<TChild> children;
        platform::TDirReader reader(fd);
        platform::TRawEntry entry;
        while (reader.Next(entry)) {
            Checkpoint();
            if (entry.name == "." || entry.name == "..")
                continue;
            std::uint64_t size = 0;
            if (auto kind = Classify(fd, entry, size))
                children.push_back(TChild{listing_.StoreName(entry.name),
                                          static_cast<std::uint32_t>(entry.name.size()),
                                          *kind == kFolder, size});
        }
        Sort(children);
        return children;
    }

    enum TKind
    {
        kFile,
        kFolder
    };

    // Whether an entry is listed as a file (with its size in `size` when the walk measures
    // sizes), entered as a folder, or left out.
    std::optional<TKind> Classify(int fd, const platform::TRawEntry& entry, std::uint64_t& size)
    {
        TEntryType type = entry.type;
        bool ownerMayWrite = true;
        // The read-only bit needs the entry's mode; ask for it only when it changes the verdict,
        // or when the size is wanted anyway.
        const auto passes = [&](bool mayWrite) {
            return MatchesFileKinds(options_.kinds,
                                    platform::AttributesOf(entry.name, type, mayWrite));
        };
        if (type == TEntryType::etUnknown ||
            (type != TEntryType::etDirectory &&
             (options_.measureSizes || passes(true) != passes(false)))) {
            const auto info = platform::StatEntry(fd, entry.name.data());
            if (!info)
                return std::nullopt; // gone already
            type = info->type;
            ownerMayWrite = info->ownerMayWrite;
            size = info->size; // 0 for a directory
        }
        const std::uint32_t attributes = platform::AttributesOf(entry.name, type, ownerMayWrite);
        if (type == TEntryType::etDirectory) {
            if (options_.recursive &&
                !platform::SkippedByMask(attributes, platform::famDirectories))
                return kFolder;
            return std::nullopt;
        }
        if (MatchesFileKinds(options_.kinds, attributes) &&
            platform::MatchesNamePattern(options_.pattern, entry.name.data()))
            return kFile;
        return std::nullopt;
    }

    // Sorts a folder's entries in the order of their whole paths: a subfolder sorts under its
    // name followed by "/", the place of the paths below it.
    void Sort(std::vector<TChild>& children)
    {
        if (children.size() < 2)
            return;
        const std::vector<std::string_view> keys = SortKeys(children);
        if (order_.FoldsAsciiBytes()) {
            // The bytes decide most comparisons; a key is decoded for the collator only when
            // they cannot, and then once.
            std::vector<QString> decoded(children.size());
            const auto decode = [&](std::size_t i) -> const QString& {
                if (decoded[i].isNull())
                    decoded[i] = TNameOrder::Decode(keys[i]);
                return decoded[i];
            };
            SortBy(children, [&](std::uint32_t a, std::uint32_t b) {
                if (const int c = TNameOrder::CompareBytesIfCertain(keys[a], keys[b]))
                    return c < 0;
                return order_.CompareDecoded(decode(a), keys[a], decode(b), keys[b]) < 0;
            });
            return;
        }
        std::vector<QString> decoded;
        decoded.reserve(children.size());
        for (const std::string_view key : keys)
            decoded.push_back(TNameOrder::Decode(key));
        SortBy(children, [&](std::uint32_t a, std::uint32_t b) {
            return order_.CompareDecoded(decoded[a], keys[a], decoded[b], keys[b]) < 0;
        });
    }

    // The sort key of each entry: its name, followed by "/" for a subfolder.
    std::vector<std::string_view> SortKeys(const std::vector<TChild>& children)
    {
        folderKeys_.clear();
        for (const TChild& c : children)
            if (c.isFolder) {
                folderKeys_.append(listing_.Name(c.nameOffset, c.nameLength));
                folderKeys_ += '/';
            }
        std::vector<std::string_view> keys;
        keys.reserve(children.size());
        std::size_t at = 0;
        for (const TChild& c : children) {
            if (!c.isFolder) {
                keys.push_back(listing_.Name(c.nameOffset, c.nameLength));
                continue;
            }
            keys.push_back(std::string_view(folderKeys_).substr(at, c.nameLength + 1));
            at += c.nameLength + 1;
        }
        return keys;
    }

    // Sorts `children` by `less` on their indices, so the comparison may use data kept beside.
    // The sort of a folder of many entries takes a while: it passes the checkpoint too.
    template <typename TLess> void SortBy(std::vector<TChild>& children, TLess less)
    {
        std::vector<std::uint32_t> order(children.size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            Checkpoint();
            return less(a, b);
        });
        std::vector<TChild> sorted;
        sorted.reserve(children.size());
        for (const std::uint32_t i : order)
            sorted.push_back(children[i]);
        children.swap(sorted);
    }

    // Every kAbandonCheck calls: lets events run (when the walk pumps them) and gives up when
    // the abandon flag is set. A large folder is read and sorted between two folders entered,
    // so the stop command and the window must not wait for that.
    void Checkpoint()
    {
        if (++steps_ % kAbandonCheck != 0)
            return;
        if (options_.pumpEvents)
            PumpEvents();
        ThrowIfAbandoned();
    }

    void ThrowIfAbandoned() const
    {
        if (options_.abandon && options_.abandon->load(std::memory_order_relaxed))
            throw TListingAbandoned{};
    }

    TTreeListing& listing_;
    TDirCursor& cursor_;
    const TWalkOptions& options_;
    unsigned steps_ = 0;
    const std::uint32_t splitDepth_;
    std::vector<TSplitUnit>* units_;
    TNameOrder order_;
    std::string folderKeys_;
    std::vector<TFrame> frames_;
    std::unordered_set<platform::TDirIdentity, platform::TDirIdentityHash> visited_;
};

} // namespace

namespace {

// A listing's first chunk of names is small (many listings hold a few files), the next ones
// twice the size of the one before, up to kMaxNameChunk.
constexpr std::size_t kFirstNameChunk = 1024;
constexpr std::size_t kMaxNameChunk = std::size_t(1) << 20;

} // namespace

std::size_t TTreeListing::StoreName(std::string_view name)
{
    if (nameChunks_.empty() ||
        nameChunks_.back().size() + name.size() + 1 > nameChunks_.back().capacity()) {
        const std::size_t next = nameChunks_.empty()
                                     ? kFirstNameChunk
                                     : std::min(kMaxNameChunk, 2 * nameChunks_.back().capacity());
        nameChunks_.emplace_back();
        nameChunks_.back().reserve(std::max(next, name.size() + 1));
    }
    std::string& chunk = nameChunks_.back();
    const std::size_t offset = ((nameChunks_.size() - 1) << kChunkShift) | chunk.size();
    chunk.append(name);
    chunk.push_back('\0');
    return offset;
}

std::size_t TTreeListing::TakeNamesOf(TTreeListing& other)
{
    const std::size_t base = nameChunks_.size() << kChunkShift;
    nameChunks_.insert(nameChunks_.end(), std::make_move_iterator(other.nameChunks_.begin()),
                       std::make_move_iterator(other.nameChunks_.end()));
    other.nameChunks_.clear();
    return base;
}

void TTreeListing::AppendFolderPath(std::uint32_t folder, std::string& out) const
{
    std::vector<std::uint32_t> chain;
    for (std::uint32_t f = folder; f != 0; f = folders[f].parent)
        chain.push_back(f);
    out += rootFolder_;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        out.append(Name(folders[*it].nameOffset, folders[*it].nameLength));
        out += '/';
    }
}

void ListTreeAlone(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options)
{
    TTreeWalk(listing, cursor, options).Run();
}

std::vector<TSplitUnit> ListTreeTop(TTreeListing& listing, TDirCursor& cursor,
                                    const TWalkOptions& options, std::uint32_t depth)
{
    std::vector<TSplitUnit> units;
    TTreeWalk(listing, cursor, options, depth, &units).Run();
    return units;
}

} // namespace tallyrun
