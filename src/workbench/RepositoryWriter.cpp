#include "workbench/RepositoryWriter.h"

#include "cobol/StorageLayout.h"
#include "host/Text.h"
#include "sqlite/Sqlite.h"
#include "workbench/ObjectBlock.h"
#include "workbench/RepositorySchema.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace vorq::workbench {
namespace {

using cobol::DataItem;

// COBOL's special registers and the CICS interface block: the workbench's system variables.
bool isSystemVariable(const DataItem& item) {
    static constexpr std::array<std::string_view, 12> registers = {
        "RETURN-CODE",    "SORT-RETURN",  "SORT-CONTROL",   "SORT-CORE-SIZE",
        "SORT-FILE-SIZE", "SORT-MESSAGE", "SORT-MODE-SIZE", "TALLY",
        "WHEN-COMPILED",  "XML-CODE",     "JSON-CODE",      "DFHEIBLK"};
    return std::any_of(registers.begin(), registers.end(),
                       [&](std::string_view name) { return sameName(item.name, name); });
}

using Attributes = std::initializer_list<std::pair<Attribute, std::string_view>>;

// Objects get ids in document order and are stored a block at a time.
class Writer {
public:
    explicit Writer(const std::filesystem::path& path)
        : db_(path, sqlite::Connection::Mode::CreateIfMissing) {
        // A new file that is renamed into place only when complete: no journal needed. Pages
        // are written once, in order: a small cache spills them as they fill, where the default
        // one kept two megabytes of them in memory.
        db_.exec("PRAGMA page_size = 65536; PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                 "PRAGMA cache_size = -512;");
        // The tables are made in the one transaction too: each statement of its own wrote the
        // pages it changed at once.
        db_.exec("BEGIN");
        db_.exec(kRepositorySchema);
        insertBlock_.emplace(db_.prepare("INSERT INTO ObjectBlocks VALUES (?, ?)"));
        insertRelation_.emplace(db_.prepare("INSERT INTO Relations VALUES (?, ?, ?)"));
    }

    void info(const std::string& key, const std::string& value) {
        auto insert = db_.prepare("INSERT INTO Info VALUES (?, ?)");
        insert.bind(1, key).bind(2, value);
        insert.run();
    }

    void finish() {
        flush();
        insertBlock_.reset();
        insertRelation_.reset();
        db_.exec("COMMIT");
    }

    // The ids of these items are asked for later (idOf); only theirs are kept.
    void willReferTo(const DataItem* item) { referred_.insert(item); }
    void willReferToTargetsIn(const DataItem& item) {
        for (const DataItem* target :
             {item.redefined, item.rare().renamesFromItem, item.rare().renamesThruItem})
            if (target)
                willReferTo(target);
        for (const auto& child : item.children)
            willReferToTargetsIn(*child);
    }

    // An object with a name and further attributes; its id.
    int object(int parent, const char* cls, std::string_view name, Attributes attributes = {}) {
        const int id = begin(parent, cls, name);
        block_.attribute(Attribute::Name, name);
        for (const auto& [key, value] : attributes)
            block_.attribute(key, value);
        block_.end();
        return id;
    }

    void relation(int source, const char* relation, int target) {
        insertRelation_->bind(1, static_cast<std::int64_t>(source))
            .bind(2, relation)
            .bind(3, static_cast<std::int64_t>(target));
        insertRelation_->run();
    }

    // A data item and everything below it, with extra attributes of the item itself.
    int item(int parent, const DataItem& item, Attributes attributes = {}) {
        const int id = begin(parent, "DECL", item.name.empty() ? "FILLER" : item.name);
        if (referred_.count(&item))
            ids_[&item] = id;
        const bool elementary = item.isElementary();
        auto& b = block_;
        b.attribute(Attribute::Name, item.name);
        b.attribute(Attribute::Level, item.level);
        b.attribute(Attribute::Picture, item.picture);
        b.attribute(Attribute::Usage, elementary || item.usageGiven ? cobol::usageText(item) : "");
        b.attribute(Attribute::Occurs, item.occurs);
        b.attribute(Attribute::OccursMin, item.occursMin);
        b.attribute(Attribute::DependingOn, item.rare().dependingOn);
        b.attribute(Attribute::Digits, item.digits);
        b.attribute(Attribute::Length, item.length);
        b.attribute(Attribute::Fraction, item.fraction);
        b.attribute(Attribute::Offset, item.offset);
        b.attribute(Attribute::Datatype, datatypeOf(item));
        b.attribute(Attribute::Elementary, elementary ? "True" : "False");
        b.attribute(Attribute::SysVar, isSystemVariable(item) ? "True" : "False");
        b.attribute(Attribute::Value, item.rare().value);
        b.attribute(Attribute::Line, item.at.line);
        // What decoding a record needs beyond the picture and usage; few items have either.
        if (elementary && item.isSigned)
            b.attribute(Attribute::Sign, std::string(item.signLeading ? "LEADING" : "TRAILING") +
                                             (item.signSeparate ? " SEPARATE" : ""));
        if (item.blankWhenZero)
            b.attribute(Attribute::BlankWhenZero, "True");
        for (const auto& [key, value] : attributes)
            b.attribute(key, value);
        b.end();
        if (const int target = idOf(item.redefined))
            relation(id, "Redefines", target);
        for (const auto& child : item.children)
            if (child->level != 66)
                this->item(id, *child);
        for (const auto& condition : item.rare().conditions) {
            begin(id, "CONDITION", condition.name);
            b.attribute(Attribute::Name, condition.name);
            for (const auto& value : condition.values)
                b.attribute(Attribute::Value, value);
            b.end();
        }
        for (const auto& child : item.children)
            if (child->level == 66)
                renames(id, *child);
        return id;
    }

    int idOf(const DataItem* item) const {
        const auto it = ids_.find(item);
        return it == ids_.end() ? 0 : it->second;
    }

private:
    // Two blocks and their last objects fill one 64 KiB page.
    static constexpr std::size_t kBlockBytes = std::size_t{30} * 1024;

    int begin(int parent, std::string_view cls, std::string_view displayName) {
        if (block_.byteSize() >= kBlockBytes)
            flush();
        block_.begin(parent, cls, displayName);
        return nextId_++;
    }

    void flush() {
        if (block_.objectCount() == 0)
            return;
        const auto firstId = static_cast<std::int64_t>(nextId_ - block_.objectCount());
        insertBlock_->bind(1, firstId).bindStaticBlob(2, block_.bytes());
        insertBlock_->run();
        block_.clear();
    }

    void renames(int parent, const DataItem& entry) {
        const int id = this->item(parent, entry);
        if (const int from = idOf(entry.rare().renamesFromItem))
            relation(id, "Renames from", from);
        if (const int thru = idOf(entry.rare().renamesThruItem))
            relation(id, "Renames thru", thru);
    }

    sqlite::Connection db_;
    std::optional<sqlite::Statement> insertBlock_, insertRelation_;
    ObjectBlockBuilder block_;
    std::unordered_set<const DataItem*> referred_;
    std::unordered_map<const DataItem*, int> ids_;
    int nextId_ = 1;
};

const DataItem* findItem(const DataItem& within, const std::string& name) {
    if (sameName(within.name, name))
        return &within;
    for (const auto& child : within.children)
        if (const DataItem* found = findItem(*child, name))
            return found;
    return nullptr;
}

class ProgramWriter {
public:
    explicit ProgramWriter(Writer& out) : out_(out) {}

    void program(int parent, const cobol::Program& p) {
        const int id = out_.object(parent, "PROGRAM", p.name);
        std::map<std::string, int> fds;
        for (const auto& file : p.files) {
            const int fd = out_.object(id, file.sort ? "SD" : "FD", file.name,
                                       {{Attribute::AssignTo, file.assignTo}});
            fds[upperCase(file.name)] = fd;
        }
        for (const auto& record : p.records)
            out_.willReferToTargetsIn(*record.item);
        for (const auto& use : p.uses)
            for (const DataItem* declaration : declarations(p, use))
                out_.willReferTo(declaration);
        for (const auto& record : p.records) {
            const auto fd = fds.find(upperCase(record.file));
            out_.item(fd == fds.end() ? id : fd->second, *record.item,
                      {{Attribute::Section, cobol::sectionName(record.section)}});
        }
        for (const auto& nested : p.nested)
            program(id, *nested);
        specialRegister(id);
        ports(id, p);
    }

private:
    void specialRegister(int program) {
        DataItem returnCode;
        returnCode.level = 1;
        returnCode.name = "RETURN-CODE";
        returnCode.picture = "S9(4)";
        returnCode.usage = cobol::Usage::Binary;
        returnCode.usageGiven = true;
        returnCode.digits = 4;
        returnCode.isSigned = true;
        returnCode.length = 2;
        out_.item(program, returnCode);
    }

    void ports(int program, const cobol::Program& p) {
        std::vector<std::string> order;
        for (const auto& use : p.uses)
            if (std::none_of(order.begin(), order.end(),
                             [&](auto& f) { return sameName(f, use.file); }))
                order.push_back(use.file);
        for (const auto& fileName : order) {
            const auto file = std::find_if(p.files.begin(), p.files.end(),
                                           [&](auto& f) { return sameName(f.name, fileName); });
            const int port =
                out_.object(program, "PORT", fileName, {{Attribute::PortName, file->assignTo}});
            for (const auto& use : p.uses) {
                if (!sameName(use.file, fileName))
                    continue;
                const int u = out_.object(port, "USE", cobol::verbName(use.verb),
                                          {{Attribute::Verb, cobol::verbName(use.verb)}});
                out_.relation(port, "use", u);
                for (const DataItem* record : declarations(p, use))
                    if (const int id = out_.idOf(record))
                        out_.relation(u, "Declaration", id);
            }
        }
    }

    // READ and DELETE touch every record of the file; WRITE and REWRITE the one named; INTO
    // and FROM the other item as well.
    static std::vector<const DataItem*> declarations(const cobol::Program& p,
                                                     const cobol::FileUse& use) {
        std::vector<const DataItem*> result;
        const bool named =
            use.verb == cobol::FileVerb::Write || use.verb == cobol::FileVerb::Rewrite;
        for (const auto& record : p.records)
            if (record.section == cobol::Section::File && sameName(record.file, use.file) &&
                (!named || sameName(record.item->name, use.record)))
                result.push_back(record.item.get());
        if (!use.other.empty())
            for (const auto& record : p.records)
                if (const DataItem* found = findItem(*record.item, use.other)) {
                    result.push_back(found);
                    break;
                }
        return result;
    }

    Writer& out_;
};

} // namespace

int datatypeOf(const DataItem& item) {
    using cobol::Usage;
    if (item.level == 66 || !item.isElementary())
        return 0;
    switch (item.usage) {
    case Usage::Binary:
    case Usage::Native:
    case Usage::CompX:
    case Usage::CompN:
    case Usage::BinaryChar:
    case Usage::BinaryShort:
    case Usage::BinaryLong:
    case Usage::BinaryDouble:
    case Usage::BinaryCLong:
        return 8;
    case Usage::Packed:
    case Usage::PackedUnsigned:
        return 9;
    case Usage::Float:
    case Usage::Double:
    case Usage::FloatBinary128:
    case Usage::FloatDecimal16:
    case Usage::FloatDecimal34:
        return 10;
    case Usage::Index:
        return 11;
    case Usage::Pointer:
    case Usage::FunctionPointer:
    case Usage::ProcedurePointer:
        return 12;
    case Usage::National:
        return 6;
    case Usage::Display1:
        return 7;
    case Usage::Display:
        break;
    }
    const cobol::PictureCounts pic = cobol::countPicture(item.picture);
    if (pic.numeric)
        return 3;
    const bool alphabetic = item.picture.find_first_not_of("Aa()0123456789") == std::string::npos;
    const bool alphanumeric = item.picture.find_first_not_of("XxAa9()") == std::string::npos;
    if (alphabetic)
        return 2;
    if (alphanumeric)
        return 1;
    return pic.digits > 0 ? 4 : 5;
}

void writeRepositoryDatabase(const cobol::SourceModel& model, const std::filesystem::path& path) {
    Writer out(path);
    const bool copybook = model.kind == cobol::SourceModel::Kind::Copybook;
    out.info("Format", kRepositoryFormat);
    // Items carry Sign and BlankWhenZero: a load can decode records by this database.
    out.info("DataLayout", kDataLayout);
    out.info("Kind", copybook ? kKindCopybook : kKindCobol);
    out.info("Source", model.path);
    out.info("Name", model.name);
    if (copybook) {
        for (const auto& item : model.items)
            out.willReferToTargetsIn(*item);
        const int file = out.object(0, "FILE", model.name);
        for (const auto& item : model.items)
            out.item(file, *item);
    } else {
        ProgramWriter programs(out);
        for (const auto& p : model.programs)
            programs.program(0, *p);
    }
    out.finish();
}

} // namespace vorq::workbench
