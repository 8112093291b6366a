#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorq::workbench {
class Workbench;
}

namespace vorq::load {

// A data item of a verified source, as the repository holds it.
struct SourceItem {
    int id = 0;
    int parent = 0; // 0 for a record (level 01 or 77)
    std::string name;
    std::string picture;
    std::string usage; // as the repository writes it: "COMP-3", "BINARY-LONG UNSIGNED", ...
    std::string sign;  // "LEADING" or "TRAILING", with " SEPARATE"; "" when unsigned
    std::string dependingOn;
    std::int64_t occurs = 0; // maximum; 0 without OCCURS
    std::int64_t occursMin = 0;
    std::int64_t length = 0; // of one occurrence
    std::int64_t offset = 0; // from the start of the record, first occurrences all along
    bool elementary = false;
    bool blankWhenZero = false;
    std::vector<int> children;
};

// The data items of one verified source, by repository object id.
class SourceItems {
public:
    // The source behind a key of the workbench's catalog (a copybook, a COBOL source or a
    // program of one). Raises vorq::Error when the key names none, or when the source was
    // verified by a vorq that did not record what decoding needs.
    static SourceItems open(workbench::Workbench& workbench, const std::string& sourceKey);
    // For tests and benchmarks: items given directly (ids 1, 2, ... in order).
    SourceItems(std::string sourceName, std::vector<SourceItem> items);

    const std::string& sourceName() const { return sourceName_; }
    // The item, or nullptr when the source has no data item of that id.
    const SourceItem* item(int id) const;
    const SourceItem& record(const SourceItem& item) const;
    // The first item below root (in document order) with the name, compared without case.
    const SourceItem* findBelow(const SourceItem& root, const std::string& name) const;
    // A digest of the layout of a record and its items, ids included (lineage finds items by
    // id): the same text for the same layout, another for any change that a load would read
    // differently.
    std::string layoutDigest(const SourceItem& record) const;

private:
    std::string sourceName_;
    std::vector<SourceItem> items_; // index id - 1; id 0 for objects that are no items
};

} // namespace vorq::load
