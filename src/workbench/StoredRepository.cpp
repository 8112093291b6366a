#include "workbench/StoredRepository.h"

#include "host/Error.h"
#include "sqlite/Sqlite.h"
#include "workbench/ObjectBlock.h"
#include "workbench/RepositorySchema.h"

#include <array>
#include <limits>

namespace vorq::workbench {
namespace {

class StoredClass : public ObjectClass {
public:
    explicit StoredClass(std::string name) : name_(std::move(name)) {}
    const std::string& ClassName() const override { return name_; }

private:
    std::string name_;
};

class IdCursor : public ObjectCursor {
public:
    IdCursor(std::shared_ptr<StoredRepository> db, std::vector<int> ids)
        : db_(std::move(db)), ids_(std::move(ids)) {}
    bool AtEnd() override { return at_ >= ids_.size(); }
    std::shared_ptr<RepositoryObject> Current() override {
        if (AtEnd())
            throw Error("No current object: the cursor is at its end", 3021);
        return db_->wrap(ids_[at_]);
    }
    void MoveFirst() override { at_ = 0; }
    void MoveNext() override {
        if (!AtEnd())
            ++at_;
    }

private:
    std::shared_ptr<StoredRepository> db_;
    std::vector<int> ids_;
    std::size_t at_ = 0;
};

class StoredObject : public RepositoryObject {
public:
    StoredObject(std::shared_ptr<StoredRepository> db, const StoredRepository::Object& o)
        : db_(std::move(db)), o_(o) {}

    const ObjectClass& Class() override { return db_->classNamed(std::string(o_.cls)); }
    std::string ObjectId() override { return std::to_string(o_.id); }
    std::string DisplayName() override { return std::string(o_.displayName); }
    std::string Attribute(const std::string& name) override {
        return std::string(StoredRepository::attribute(o_, name));
    }
    std::vector<std::string> Attributes(const std::vector<std::string>& names) override {
        return StoredRepository::attributes(o_, names);
    }
    std::unique_ptr<ObjectCursor> Related(const std::string& relation) override {
        std::vector<int> ids;
        for (const auto& [name, target] : o_.relations)
            if (name == relation)
                ids.push_back(target);
        return db_->cursor(std::move(ids));
    }
    std::unique_ptr<ObjectCursor> Children() override { return db_->cursor(o_.children); }
    std::unique_ptr<ObjectCursor> ObjectsOfClass(const std::string& className) override {
        return db_->cursor(db_->descendantsOfClass(o_.id, className));
    }
    std::shared_ptr<RepositoryObject> Parent() override {
        return o_.parent ? db_->wrap(o_.parent) : nullptr;
    }

private:
    std::shared_ptr<StoredRepository> db_;
    const StoredRepository::Object& o_;
};

std::string infoValue(sqlite::Connection& file, const char* key) {
    auto info = file.prepare("SELECT Value FROM Info WHERE Key = ?");
    info.bind(1, key);
    return info.step() ? info.text(0) : "";
}

} // namespace

void StoredRepository::readBlock(std::string_view bytes) {
    ObjectBlockReader block(blocks_.emplace_back(bytes));
    std::int64_t parent = 0;
    std::string_view cls, displayName;
    while (block.nextObject(parent, cls, displayName)) {
        Object& o = objects_.emplace_back();
        o.id = static_cast<int>(objects_.size());
        o.parent = static_cast<int>(parent);
        o.cls = cls;
        o.displayName = displayName;
        o.attributeBytes = block.takeAttributes();
    }
}

// A name is turned into its attribute's number once, and the stored numbers are compared with
// it: an import reads ten attributes of every item twice, and comparing the names letter by
// letter was a fifth of its time.

std::string_view StoredRepository::attribute(const Object& o, std::string_view name) {
    const auto wanted = attributeNamed(name);
    if (!wanted)
        return "";
    ObjectBlockReader reader(o.attributeBytes);
    Attribute number{};
    std::string_view value;
    while (reader.nextAttribute(number, value))
        if (number == *wanted)
            return value;
    return "";
}

std::vector<std::string> StoredRepository::attributes(const Object& o,
                                                      const std::vector<std::string>& names) {
    // Where each attribute's value goes: to the first name that asks for it.
    constexpr std::size_t kNotAsked = std::numeric_limits<std::size_t>::max();
    std::array<std::size_t, kAttributeCount> slot{};
    slot.fill(kNotAsked);
    std::vector<std::size_t> asked(names.size(), 0); // each name's attribute, 0 for none
    for (std::size_t i = 0; i < names.size(); ++i)
        if (const auto a = attributeNamed(names[i])) {
            asked[i] = static_cast<std::size_t>(*a);
            if (slot[asked[i]] == kNotAsked)
                slot[asked[i]] = i;
        }
    std::vector<std::string> values(names.size());
    ObjectBlockReader reader(o.attributeBytes);
    Attribute number{};
    std::string_view value;
    while (reader.nextAttribute(number, value))
        if (const std::size_t i = slot[static_cast<std::size_t>(number)]; i != kNotAsked)
            values[i] = value;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (asked[i] != 0 && slot[asked[i]] != i)
            values[i] = values[slot[asked[i]]];
    return values;
}

std::shared_ptr<StoredRepository> StoredRepository::load(const std::filesystem::path& path) {
    auto db = std::make_shared<StoredRepository>();
    try {
        sqlite::Connection file(path, sqlite::Connection::Mode::ReadOnly);
        if (infoValue(file, "Format") != kRepositoryFormat)
            throw Error("it was written by another version of vorq; verify its source again");
        db->kind_ = infoValue(file, "Kind");
        db->describesData_ = infoValue(file, "DataLayout") == kDataLayout;
        auto blocks = file.prepare("SELECT FirstId, Objects FROM ObjectBlocks ORDER BY FirstId");
        while (blocks.step()) {
            if (blocks.integer(0) != static_cast<std::int64_t>(db->objects_.size()) + 1)
                throw Error("its object ids are not consecutive");
            db->readBlock(blocks.blob(1));
        }
        for (const auto& o : db->objects_)
            (o.parent ? db->objects_.at(static_cast<std::size_t>(o.parent - 1)).children : db->top_)
                .push_back(o.id);
        auto relations =
            file.prepare("SELECT Source, Relation, Target FROM Relations ORDER BY rowid");
        while (relations.step())
            db->objects_.at(static_cast<std::size_t>(relations.integer(0) - 1))
                .relations.emplace_back(relations.text(1), static_cast<int>(relations.integer(2)));
    } catch (const std::out_of_range&) {
        throw Error("Cannot open the repository database " + path.string() +
                    ": it refers to objects it does not hold");
    } catch (const Error& e) {
        throw Error("Cannot open the repository database " + path.string() + ": " +
                    e.description());
    }
    return db;
}

void StoredRepository::checkOpen() const {
    if (!open_)
        throw Error("The repository database is closed");
}

const StoredRepository::Object* StoredRepository::object(int id) const {
    return id >= 1 && id <= static_cast<int>(objects_.size())
               ? &objects_[static_cast<std::size_t>(id - 1)]
               : nullptr;
}

std::shared_ptr<RepositoryObject> StoredRepository::wrap(int id) {
    checkOpen();
    const Object* o = object(id);
    return o ? std::make_shared<StoredObject>(shared_from_this(), *o) : nullptr;
}

std::unique_ptr<ObjectCursor> StoredRepository::cursor(std::vector<int> ids) {
    checkOpen();
    return std::make_unique<IdCursor>(shared_from_this(), std::move(ids));
}

std::shared_ptr<RepositoryObject> StoredRepository::ObjectById(const std::string& id) {
    checkOpen();
    try {
        std::size_t end = 0;
        const int number = std::stoi(id, &end);
        return end == id.size() ? wrap(number) : nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::vector<int> StoredRepository::descendantsOfClass(int root,
                                                      const std::string& className) const {
    std::vector<int> ids;
    if (root == 0) {
        for (const auto& o : objects_)
            if (o.cls == className)
                ids.push_back(o.id);
        return ids;
    }
    // Depth first, children in order: the order in which the source declares them.
    for (std::vector<int> stack(object(root)->children.rbegin(), object(root)->children.rend());
         !stack.empty();) {
        const Object& o = *object(stack.back());
        stack.pop_back();
        if (o.cls == className)
            ids.push_back(o.id);
        stack.insert(stack.end(), o.children.rbegin(), o.children.rend());
    }
    return ids;
}

std::unique_ptr<ObjectCursor> StoredRepository::ObjectsOfClass(const std::string&,
                                                               const std::string& className) {
    return cursor(descendantsOfClass(0, className));
}

std::unique_ptr<ObjectCursor> StoredRepository::TopObjects() {
    return cursor(top_);
}

void StoredRepository::Close() {
    open_ = false;
}

const ObjectClass& StoredRepository::classNamed(const std::string& name) {
    auto& entry = classes_[name];
    if (!entry)
        entry = std::make_unique<StoredClass>(name);
    return *entry;
}

} // namespace vorq::workbench
