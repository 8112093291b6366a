#include "cobol/StorageLayout.h"

#include "host/Text.h"

#include <algorithm>

namespace vorq::cobol {
namespace {

std::int64_t roundUp(std::int64_t value, int alignment) {
    return alignment <= 1 ? value : (value + alignment - 1) / alignment * alignment;
}

class Layout {
public:
    explicit Layout(Diagnostics& diags) : diags_(diags) {}

    void records(std::vector<std::unique_ptr<DataItem>>& all) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            DataItem& record = *all[i];
            describe(record, nullptr);
            if (!record.rare().redefines.empty())
                record.redefined = findEarlier(all, i, record);
            record.offset = 0;
            place(record);
            renames(record, record);
        }
    }

private:
    // Usage, digits and elementary lengths, top down; group lengths come from place().
    void describe(DataItem& item, const DataItem* parent) {
        if (parent && !item.usageGiven && parent->usageGiven && item.level != 66) {
            item.usage = parent->usage;
            item.usageGiven = true;
        }
        if (parent && parent->sync)
            item.sync = true;
        const PictureCounts pic = countPicture(item.picture);
        // A SIGN clause on a group holds for the signed items below it that have none; the
        // group passes it on to its own groups.
        if (parent && (parent->signLeading || parent->signSeparate) && !item.signLeading &&
            !item.signSeparate && (pic.isSigned || !item.children.empty())) {
            item.signLeading = parent->signLeading;
            item.signSeparate = parent->signSeparate;
        }
        if (pic.tooLong)
            diags_.error(item.at, "the picture of " + name(item) + " has more than " +
                                      std::to_string(kMaxPicturePositions) + " positions");
        else if (!item.picture.empty() && !pic.valid)
            diags_.error(item.at, "expected a valid picture string for " + name(item) + ", not '" +
                                      item.picture + "'");
        if (pic.national && item.usage == Usage::Display)
            item.usage = Usage::National;
        if (pic.dbcs && item.usage == Usage::Display)
            item.usage = Usage::Display1;
        if (pic.numeric) {
            item.digits = pic.digits;
            item.fraction = pic.fraction;
            item.isSigned = pic.isSigned;
        }
        // RENAMES entries (66) follow their record but are no members of it.
        const bool group = std::any_of(item.children.begin(), item.children.end(),
                                       [](const auto& child) { return child->level != 66; });
        if (group && !item.picture.empty())
            diags_.error(item.at, "the group " + name(item) + " cannot have a PICTURE clause");
        if (!group)
            item.length = elementaryLength(item, pic);
        for (auto& child : item.children)
            describe(*child, &item);
        for (std::size_t i = 0; i < item.children.size(); ++i) {
            DataItem& child = *item.children[i];
            if (!child.rare().redefines.empty())
                child.redefined = findEarlier(item.children, i, child);
        }
    }

    // The fewest bytes whose binary number holds every value of that many decimal digits.
    static std::int64_t bytesForDigits(int digits, bool isSigned) {
        long double largest = 1;
        for (int i = 0; i < digits; ++i)
            largest *= 10;
        std::int64_t bytes = 1;
        for (long double room = isSigned ? 128 : 256; room < largest; room *= 256)
            ++bytes;
        return bytes;
    }

    std::int64_t elementaryLength(DataItem& item, const PictureCounts& pic) {
        const int digits = pic.digits;
        if (const int size = fixedSize(item.usage)) {
            item.alignment = size;
            return size;
        }
        switch (item.usage) {
        case Usage::Binary:
        case Usage::Native:
            item.alignment = digits <= 4 ? 2 : digits <= 9 ? 4 : 8;
            return item.alignment;
        case Usage::CompX:
        case Usage::CompN:
            return pic.numeric ? bytesForDigits(digits, pic.isSigned) : pic.positions;
        case Usage::Packed:
            return digits / 2 + 1;
        case Usage::PackedUnsigned: // a signed picture still gets its sign half-byte
            return pic.isSigned ? digits / 2 + 1 : (digits + 1) / 2;
        case Usage::Float:
            item.alignment = 4;
            return 4;
        case Usage::Double:
            item.alignment = 8;
            return 8;
        case Usage::Index:
        case Usage::Pointer:
        case Usage::FunctionPointer:
            item.alignment = 4;
            return 4;
        case Usage::ProcedurePointer:
            item.alignment = 8;
            return 8;
        case Usage::National:
        case Usage::Display1:
            return std::int64_t{2} * (pic.positions + (item.signSeparate ? 1 : 0));
        default:
            break;
        }
        return pic.positions + (item.signSeparate ? 1 : 0);
    }

    DataItem* findEarlier(std::vector<std::unique_ptr<DataItem>>& siblings, std::size_t index,
                          DataItem& item) {
        for (std::size_t j = index; j-- > 0;)
            if (sameName(siblings[j]->name, item.rare().redefines) &&
                siblings[j]->level == item.level)
                return siblings[j].get();
        diags_.error(item.at, "REDEFINES names " + item.rare().redefines +
                                  ", which is no earlier item at level " +
                                  std::to_string(item.level) + " of the same group");
        return nullptr;
    }

    void tooLong(const DataItem& item) {
        diags_.error(item.at, name(item) + " makes its record longer than " +
                                  std::to_string(kMaxRecordLength) + " bytes");
    }

    // Offsets of the item's children and the item's group length and alignment.
    void place(DataItem& item) {
        const bool members = std::any_of(item.children.begin(), item.children.end(),
                                         [](const auto& child) { return child->level != 66; });
        if (!members || item.level == 66)
            return;
        std::int64_t next = item.offset; // where the next item that redefines nothing begins
        std::int64_t end = item.offset;
        int alignment = 1;
        for (auto& childPtr : item.children) {
            DataItem& child = *childPtr;
            if (child.level == 66)
                continue;
            if (child.redefined) {
                child.offset = child.redefined->offset;
            } else {
                const int align = child.sync ? child.alignment : 1;
                child.offset = roundUp(next, align);
            }
            place(child);
            if (child.sync || child.alignment > 1)
                alignment = std::max(alignment, child.sync ? child.alignment : 1);
            std::int64_t extent = 0;
            if (__builtin_mul_overflow(child.length, std::max(child.occurs, 1), &extent) ||
                child.offset + extent > kMaxRecordLength) {
                tooLong(child);
                extent = 0;
            }
            // A redefining item longer than the item it redefines pushes what follows.
            next = child.redefined ? std::max(next, child.offset + extent) : child.offset + extent;
            end = std::max(end, child.offset + extent);
        }
        item.length = end - item.offset;
        if (item.children.size() && alignment > 1) {
            item.alignment = alignment;
            if (item.occurs > 1) // each occurrence begins on the boundary its items need
                item.length = roundUp(item.length, alignment);
        }
    }

    // What a RENAMES may name: the record itself, one of its items, or a RENAMES before it.
    static DataItem* renamed(DataItem& record, const DataItem& entry, const std::string& wanted) {
        if (sameName(record.name, wanted))
            return &record;
        if (DataItem* member = find(record, wanted))
            return member;
        for (auto& other : record.children) {
            if (other.get() == &entry)
                break;
            if (other->level == 66 && sameName(other->name, wanted) &&
                other->rare().renamesFromItem)
                return other.get();
        }
        return nullptr;
    }

    void renames(DataItem& record, DataItem& item) {
        for (auto& child : item.children) {
            if (child->level == 66) {
                RareClauses& clauses = child->rareToWrite();
                clauses.renamesFromItem = renamed(record, *child, clauses.renamesFrom);
                clauses.renamesThruItem = clauses.renamesThru.empty()
                                              ? clauses.renamesFromItem
                                              : renamed(record, *child, clauses.renamesThru);
                if (!clauses.renamesFromItem || !clauses.renamesThruItem) {
                    diags_.error(child->at, "RENAMES names " +
                                                (clauses.renamesFromItem ? clauses.renamesThru
                                                                         : clauses.renamesFrom) +
                                                ", which is no item of the record " + record.name);
                    continue;
                }
                child->offset = clauses.renamesFromItem->offset;
                const DataItem& thru = *clauses.renamesThruItem;
                child->length =
                    thru.offset + thru.length * std::max(thru.occurs, 1) - child->offset;
                continue;
            }
            renames(record, *child);
        }
    }

    static DataItem* find(DataItem& within, const std::string& wanted) {
        for (auto& child : within.children) {
            if (child->level != 66 && sameName(child->name, wanted))
                return child.get();
            if (DataItem* deeper = find(*child, wanted))
                return deeper;
        }
        return nullptr;
    }

    static std::string name(const DataItem& item) {
        return item.name.empty() ? "the unnamed item" : item.name;
    }

    Diagnostics& diags_;
};

} // namespace

PictureCounts countPicture(const std::string& picture) {
    PictureCounts c;
    bool afterPoint = false, edited = false, other = false;
    std::int64_t total = 0; // every count summed: it bounds each of the counts kept
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char ch = asciiUpper(picture[i]);
        int count = 1;
        if (i + 1 < picture.size() && picture[i + 1] == '(') {
            const auto close = picture.find(')', i + 2);
            std::string_view number = close == std::string::npos
                                          ? ""
                                          : std::string_view(picture).substr(i + 2, close - i - 2);
            // Leading zeros add nothing: X(00000100000) is X(100000).
            while (number.size() > 1 && number.front() == '0')
                number.remove_prefix(1);
            if (number.empty() || number.size() > 9 ||
                !std::all_of(number.begin(), number.end(), isAsciiDigit)) {
                c.valid = false;
                return c;
            }
            count = digitsValue(number);
            i = close;
        }
        total += count;
        if (total > kMaxPicturePositions) {
            c.valid = false;
            c.tooLong = true;
            return c;
        }
        switch (ch) {
        case '9':
            c.digits += count;
            c.positions += count;
            if (afterPoint)
                c.fraction += count;
            break;
        case 'S':
            c.isSigned = true;
            break;
        case 'V':
            afterPoint = true;
            break;
        case 'P':
            c.scaling += count;
            if (c.digits == 0) {
                afterPoint = true;
                c.fraction += count;
            }
            break;
        case 'X':
        case 'A':
            other = true;
            c.positions += count;
            break;
        case 'N':
            c.national = true;
            other = true;
            c.positions += count;
            break;
        case 'G':
            c.dbcs = true;
            other = true;
            c.positions += count;
            break;
        case 'C':
        case 'D':
            if (i + 1 < picture.size() && asciiUpper(picture[i + 1]) == (ch == 'C' ? 'R' : 'B')) {
                ++i;
                edited = true;
                c.positions += 2;
                break;
            }
            c.valid = false;
            return c;
        case '.':
            afterPoint = true;
            [[fallthrough]];
        case 'Z':
        case '*':
        case '+':
        case '-':
        case '$':
        case ',':
        case 'B':
        case '0':
        case '/':
        case 'E':
            edited = true;
            c.positions += count;
            break;
        default:
            c.valid = false;
            return c;
        }
    }
    c.numeric = c.digits > 0 && !edited && !other;
    return c;
}

void computeLayout(std::vector<std::unique_ptr<DataItem>>& records, Diagnostics& diags) {
    if (records.empty() || records.front()->level == 1 || records.front()->level == 77) {
        Layout(diags).records(records);
        return;
    }
    // A copybook that begins below level 01 is meant to sit inside a record: its top-level
    // items follow one another there.
    std::vector<std::unique_ptr<DataItem>> implicit(1);
    implicit[0] = std::make_unique<DataItem>();
    implicit[0]->children = std::move(records);
    Layout(diags).records(implicit);
    records = std::move(implicit[0]->children);
}

} // namespace vorq::cobol
