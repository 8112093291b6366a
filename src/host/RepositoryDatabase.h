#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vorq {

class ObjectCursor;

// The class of a repository object.
class ObjectClass {
public:
    virtual ~ObjectClass() = default;
    virtual const std::string& ClassName() const = 0;
};

// An object of a repository database: a declaration, program, file, port, ...
class RepositoryObject {
public:
    virtual ~RepositoryObject() = default;
    virtual const ObjectClass& Class() = 0;
    // Unique within its database.
    virtual std::string ObjectId() = 0;
    virtual std::string DisplayName() = 0;
    // The attribute's text, "" when absent.
    virtual std::string Attribute(const std::string& name) = 0;
    // The texts of several attributes, in the order named ("" for one absent), read at once.
    virtual std::vector<std::string> Attributes(const std::vector<std::string>& names) = 0;
    // The objects linked by the relation.
    virtual std::unique_ptr<ObjectCursor> Related(const std::string& relation) = 0;
    // The directly enclosed objects, in source order.
    virtual std::unique_ptr<ObjectCursor> Children() = 0;
    // The objects of a class inside this one, nested ones included.
    virtual std::unique_ptr<ObjectCursor> ObjectsOfClass(const std::string& className) = 0;
    // The enclosing object, nullptr at the top.
    virtual std::shared_ptr<RepositoryObject> Parent() = 0;
};

// A forward cursor over repository objects that can be put back to its start.
class ObjectCursor {
public:
    virtual ~ObjectCursor() = default;
    // True when there is no current object.
    virtual bool AtEnd() = 0;
    // The current object; raises vorq::Error at the end.
    virtual std::shared_ptr<RepositoryObject> Current() = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
};

// One parsed source's database.
class RepositoryDatabase {
public:
    virtual ~RepositoryDatabase() = default;
    // The object with that id, nullptr when none has it.
    virtual std::shared_ptr<RepositoryObject> ObjectById(const std::string& id) = 0;
    // Every object of the class in the database, nested ones included.
    virtual std::unique_ptr<ObjectCursor> ObjectsOfClass(const std::string& filter,
                                                         const std::string& className) = 0;
    // The objects at the top of the database.
    virtual std::unique_ptr<ObjectCursor> TopObjects() = 0;
    virtual void Close() = 0;
};

// Opens repository database files.
class DatabaseOpener {
public:
    virtual ~DatabaseOpener() = default;
    // Opens the file as a database of that type; raises vorq::Error when it cannot.
    virtual std::shared_ptr<RepositoryDatabase> OpenDatabase(const std::string& path,
                                                             const std::string& typeName) = 0;
};

} // namespace vorq
