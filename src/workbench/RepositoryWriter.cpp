#include "workbench/RepositoryWriter.h"

#include "cobol/StorageLayout.h"
#include "sqlite/Sqlite.h"
#include "workbench/RepositorySchema.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <strings.h>
#include <unordered_map>

namespace vorq::workbench {
namespace {

using cobol::DataItem;

bool sameName(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// COBOL's special registers and the CICS interface block: the workbench's system variables.
bool isSystemVariable(const DataItem& item) {
    static constexpr std::array<const char*, 12> registers = {
        "RETURN-CODE",    "SORT-RETURN",  "SORT-CONTROL",   "SORT-CORE-SIZE",
        "SORT-FILE-SIZE", "SORT-MESSAGE", "SORT-MODE-SIZE", "TALLY",
        "WHEN-COMPILED",  "XML-CODE",     "JSON-CODE",      "DFHEIBLK"};
    return std::any_of(registers.begin(), registers.end(), [&](std::string_view name) {
        return item.name.size() == name.size() && sameName(item.name, std::string(name));
    });
}

// Attributes packed into one text: name US value RS name US value ...
class Packed {
public:
    Packed& add(std::string_view name, std::string_view value) {
        if (!text_.empty())
            text_ += kRecordSeparator;
        text_.append(name).append(1, kUnitSeparator).append(value);
        return *this;
    }
    Packed& add(std::string_view name, std::int64_t value) {
        char digits[24];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
        return add(name, std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

class Writer {
public:
    explicit Writer(const std::filesystem::path& path)
        : db_(path, sqlite::Connection::Mode::CreateIfMissing) {
        // A new file that is renamed into place only when complete: no journal needed.
        db_.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
        db_.exec(kRepositorySchema);
        db_.exec("BEGIN");
        insertObject_.emplace(db_.prepare("INSERT INTO Objects VALUES (?, ?, ?, ?, ?)"));
        insertRelation_.emplace(db_.prepare("INSERT INTO Relations VALUES (?, ?, ?)"));
    }

    void info(const std::string& key, const std::string& value) {
        auto insert = db_.prepare("INSERT INTO Info VALUES (?, ?)");
        insert.bind(1, key).bind(2, value);
        insert.run();
    }

    void finish() {
        insertObject_.reset();
        insertRelation_.reset();
        // No indexes: a repository database is always read whole, in id order.
        db_.exec("COMMIT");
    }

    // An object with a name and further attributes; its id.
    int object(int parent, const char* cls, const std::string& name, Packed attributes = {}) {
        const int id = nextId_++;
        attributes.add("Name", name);
        insert(id, parent, cls, name, attributes);
        return id;
    }

    void relation(int source, const char* relation, int target) {
        insertRelation_->bind(1, static_cast<std::int64_t>(source))
            .bind(2, relation)
            .bind(3, static_cast<std::int64_t>(target));
        insertRelation_->run();
    }

    // A data item and everything below it, with extra attributes of the item itself.
    int item(int parent, const DataItem& item, Packed attributes = {}) {
        const int id = nextId_++;
        ids_[&item] = id;
        const bool elementary = item.isElementary();
        attributes.add("Name", item.name)
            .add("Level", item.level)
            .add("Picture", item.picture)
            .add("Usage", elementary || item.usageGiven ? cobol::usageName(item.usage) : "")
            .add("Occurs", item.occurs)
            .add("OccursMin", item.occursMin)
            .add("DependingOn", item.dependingOn)
            .add("Digits", item.digits)
            .add("Length", item.length)
            .add("Fraction", item.fraction)
            .add("Offset", item.offset)
            .add("Datatype", datatypeOf(item))
            .add("Elementary", elementary ? "True" : "False")
            .add("SysVar", isSystemVariable(item) ? "True" : "False")
            .add("Value", item.value)
            .add("Line", item.at.line);
        insert(id, parent, "DECL", item.name.empty() ? "FILLER" : item.name, attributes);
        if (item.redefined)
            relation(id, "Redefines", ids_.at(item.redefined));
        for (const auto& child : item.children)
            if (child->level != 66)
                this->item(id, *child);
        for (const auto& condition : item.conditions) {
            Packed values;
            for (const auto& value : condition.values)
                values.add("Value", value);
            object(id, "CONDITION", condition.name, values);
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
    void insert(int id, int parent, std::string_view cls, std::string_view displayName,
                const Packed& attributes) {
        auto& s = *insertObject_;
        s.bind(1, static_cast<std::int64_t>(id))
            .bind(2, static_cast<std::int64_t>(parent))
            .bindStatic(3, cls)
            .bindStatic(4, displayName)
            .bindStatic(5, attributes.text());
        s.run();
    }

    void renames(int parent, const DataItem& entry) {
        const int id = this->item(parent, entry);
        if (const int from = idOf(entry.renamesFromItem))
            relation(id, "Renames from", from);
        if (const int thru = idOf(entry.renamesThruItem))
            relation(id, "Renames thru", thru);
    }

    sqlite::Connection db_;
    std::optional<sqlite::Statement> insertObject_, insertRelation_;
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
                                       Packed().add("AssignTo", file.assignTo));
            fds[upper(file.name)] = fd;
        }
        for (const auto& record : p.records) {
            const auto fd = fds.find(upper(record.file));
            out_.item(fd == fds.end() ? id : fd->second, *record.item,
                      Packed().add("Section", cobol::sectionName(record.section)));
        }
        for (const auto& nested : p.nested)
            program(id, *nested);
        specialRegister(id);
        ports(id, p);
    }

private:
    static std::string upper(std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    }

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
                out_.object(program, "PORT", fileName, Packed().add("PORTNAME", file->assignTo));
            for (const auto& use : p.uses) {
                if (!sameName(use.file, fileName))
                    continue;
                const int u = out_.object(port, "USE", cobol::verbName(use.verb),
                                          Packed().add("Verb", cobol::verbName(use.verb)));
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
        return 8;
    case Usage::Packed:
    case Usage::PackedUnsigned:
        return 9;
    case Usage::Float:
    case Usage::Double:
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
    out.info("Kind", copybook ? kKindCopybook : kKindCobol);
    out.info("Source", model.path);
    out.info("Name", model.name);
    if (copybook) {
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
