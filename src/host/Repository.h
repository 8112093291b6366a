#pragma once

#include <memory>
#include <string>

namespace vorq {

class ObjectList;

// A workbench object: a copybook, COBOL source, program or data port of the catalog.
class RepositoryComposite {
public:
    virtual ~RepositoryComposite() = default;
    virtual std::string ObjectId() = 0;
    // The attribute's text, "" when absent.
    virtual std::string Attribute(const std::string& name) = 0;
    // The objects linked by the relation, in the catalog's order.
    virtual std::shared_ptr<ObjectList> Related(const std::string& relation,
                                                const std::string& repositoryName) = 0;
};

// A forward list of workbench objects.
class ObjectList {
public:
    virtual ~ObjectList() = default;
    // True when there is no current object.
    virtual bool Eof() = 0;
    // The current object; raises vorq::Error at the end.
    virtual std::shared_ptr<RepositoryComposite> Current() = 0;
    virtual void MoveNext() = 0;
};

// What the metamodel knows of one class.
struct ClassInfo {
    std::string IconFile; // file name in the icons folder, "" when the class has none
};

// The classes of the workbench's metamodel.
class ClassTable {
public:
    virtual ~ClassTable() = default;
    // The entry of a class; an unknown class raises vorq::Error.
    virtual ClassInfo Item(const std::string& className) = 0;
};

class Metamodel {
public:
    virtual ~Metamodel() = default;
    virtual ClassTable& GetClassTable() = 0;
};

// The workbench session: the catalog of verified sources.
class RepositorySession {
public:
    virtual ~RepositorySession() = default;
    virtual Metamodel& GetMetamodel() = 0;
    // The object with that id; raises vorq::Error when there is none.
    virtual std::shared_ptr<RepositoryComposite> ObjectById(const std::string& id) = 0;
    // The objects of a kind ("COPYBOOK", "COBOL", ...) ordered by the named attribute.
    virtual std::shared_ptr<ObjectList> ObjectsOfType(const std::string& kind,
                                                      const std::string& repositoryName,
                                                      const std::string& orderBy) = 0;
};

// The workbench's repository library.
class RepositoryGlobal {
public:
    virtual ~RepositoryGlobal() = default;
    // The current session.
    virtual std::shared_ptr<RepositorySession> GetRepositorySession() = 0;
    // The type name ("DATAPORT", "COPYBOOK", ...) of the object with that id.
    virtual std::string ObjectType(const std::string& id) = 0;
};

} // namespace vorq
