#include "workbench/CatalogSession.h"

#include "host/Error.h"

#include <map>

namespace vorq::workbench {
namespace {

class CatalogComposite : public RepositoryComposite {
public:
    CatalogComposite(std::shared_ptr<CatalogSession> session, CatalogObject object)
        : session_(std::move(session)), o_(std::move(object)) {}

    std::string ObjectId() override { return std::to_string(o_.id); }
    std::string Attribute(const std::string& name) override {
        if (name == "Name")
            return o_.name;
        if (name == "Xandrel")
            return o_.xandrel;
        if (name == "PortName")
            return o_.portName;
        if (name == "Sid")
            return o_.sid;
        return "";
    }
    std::shared_ptr<ObjectList> Related(const std::string& relation,
                                        const std::string& repositoryName) override {
        session_->checkRepository(repositoryName);
        return session_->list(session_->catalog().related(o_.id, relation));
    }

private:
    std::shared_ptr<CatalogSession> session_;
    CatalogObject o_;
};

class CatalogList : public ObjectList {
public:
    CatalogList(std::shared_ptr<CatalogSession> session, std::vector<std::int64_t> ids)
        : session_(std::move(session)), ids_(std::move(ids)) {}
    bool Eof() override { return at_ >= ids_.size(); }
    std::shared_ptr<RepositoryComposite> Current() override {
        if (Eof())
            throw Error("No current object: the list is at its end", 3021);
        return session_->ObjectById(std::to_string(ids_[at_]));
    }
    void MoveNext() override {
        if (!Eof())
            ++at_;
    }

private:
    std::shared_ptr<CatalogSession> session_;
    std::vector<std::int64_t> ids_;
    std::size_t at_ = 0;
};

// Icon files of the repository classes, in the workbench's icons folder.
class ClassIcons : public Metamodel, public ClassTable {
public:
    ClassTable& GetClassTable() override { return *this; }
    ClassInfo Item(const std::string& className) override {
        static const std::map<std::string, std::string> icons = {{"COPYBOOK", "copybook.png"},
                                                                 {"COBOL", "cobol.png"},
                                                                 {"PROGRAM", "program.png"},
                                                                 {"DATAPORT", "dataport.png"},
                                                                 {"DECL", "decl.png"},
                                                                 {"PORT", "dataport.png"},
                                                                 {"FILE", "copybook.png"},
                                                                 {"FD", ""},
                                                                 {"SD", ""},
                                                                 {"USE", ""},
                                                                 {"CONDITION", ""}};
        const auto it = icons.find(className);
        if (it == icons.end())
            throw Error("The metamodel has no class " + className);
        return {it->second};
    }
};

} // namespace

CatalogSession::CatalogSession(std::shared_ptr<Catalog> catalog, std::string repositoryName)
    : catalog_(std::move(catalog)), name_(std::move(repositoryName)),
      metamodel_(std::make_unique<ClassIcons>()) {}

Metamodel& CatalogSession::GetMetamodel() {
    return *metamodel_;
}

void CatalogSession::checkRepository(const std::string& name) const {
    if (name != name_)
        throw Error("There is no repository named '" + name + "' (this workbench holds '" + name_ +
                    "')");
}

std::shared_ptr<ObjectList> CatalogSession::list(std::vector<std::int64_t> ids) {
    return std::make_shared<CatalogList>(shared_from_this(), std::move(ids));
}

CatalogObject CatalogSession::lookup(const std::string& id) const {
    std::optional<CatalogObject> found;
    try {
        std::size_t end = 0;
        const std::int64_t number = std::stoll(id, &end);
        if (end == id.size())
            found = catalog_->object(number);
    } catch (const std::exception&) {
        // not a number: no such object
    }
    if (!found)
        throw Error("The repository has no object with the id '" + id + "'");
    return *found;
}

std::shared_ptr<RepositoryComposite> CatalogSession::ObjectById(const std::string& id) {
    return std::make_shared<CatalogComposite>(shared_from_this(), lookup(id));
}

std::shared_ptr<ObjectList> CatalogSession::ObjectsOfType(const std::string& kind,
                                                          const std::string& repositoryName,
                                                          const std::string&) {
    checkRepository(repositoryName);
    std::vector<std::int64_t> ids;
    for (const auto& o : catalog_->objectsOfClass(kind))
        ids.push_back(o.id);
    return list(std::move(ids));
}

std::shared_ptr<RepositorySession> CatalogSession::GetRepositorySession() {
    return shared_from_this();
}

std::string CatalogSession::ObjectType(const std::string& id) {
    return lookup(id).cls;
}

} // namespace vorq::workbench
