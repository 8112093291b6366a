// How many columns an item and its subtree will make: the progress display's step total.

#include "builder/ItemRecord.h"
#include "builder/TableBuilder.h"
#include "host/Error.h"
#include "host/RepositoryDatabase.h"
#include "host/VorqWS.h"

#include <limits>

namespace vorq::builder {
namespace {

constexpr int kOverflow = 6;

std::int64_t checked(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max())
        throw Error("Overflow: the item makes more than 2147483647 columns", kOverflow);
    return value;
}

} // namespace

std::int64_t TableBuilder::CountColumns(RepositoryObject& Item, bool SkipRedefined) {
    if (!isDeclaration(Item) || (SkipRedefined && isRedefining(Item)))
        return 0;
    ItemRecord record = readItem(Item);
    if (record.SystemVariable)
        return 0;
    const bool hasDeclChild = HasDeclChild(Item);
    if ((record.Name == "FILLER" || record.Name.empty()) && !hasDeclChild)
        return 0;
    std::int32_t type = record.Datatype, precision = 0, scale = 0;
    const bool compatible = host_.GetCompatibleType(record.Length, record.Fraction, record.Picture,
                                                    record.Usage, type, precision, scale);

    const auto childrenSum = [&] {
        std::int64_t sum = 0;
        for (auto children = Item.Children(); !children->AtEnd(); children->MoveNext())
            sum = checked(sum + CountColumns(*children->Current(), true));
        return sum;
    };
    if (record.Occurs < 1)
        return compatible ? 1 : childrenSum();
    const std::int64_t base = hasDeclChild ? childrenSum() : compatible ? 1 : 0;
    if (options_.Threshold == 0 || record.Occurs <= options_.Threshold)
        return checked(base * record.Occurs);
    return base;
}

} // namespace vorq::builder
