#pragma once

#include "host/RepositoryDatabase.h"
#include "workbench/ObjectBlock.h"

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorq::workbench {

// A repository database read whole into memory when it is opened, so that browsing and the
// import visit each object without going back to the file.
class StoredRepository : public RepositoryDatabase,
                         public std::enable_shared_from_this<StoredRepository> {
public:
    // Its texts are views of the blocks that the repository keeps: an import of a large
    // copybook visits every attribute of every item, and as strings of their own they took
    // two thirds of its memory.
    struct Object {
        int id = 0;
        int parent = 0;
        std::string_view cls;
        std::string_view displayName;
        std::string_view attributeBytes; // as the block holds them: see eachAttribute
        std::vector<int> children;
        std::vector<std::pair<std::string, int>> relations;
    };

    // Calls visit(name, value) for each attribute of the object, in stored order.
    template <class Visit> static void eachAttribute(const Object& o, Visit visit) {
        ObjectBlockReader reader(o.attributeBytes);
        std::string_view name, value;
        while (reader.nextAttribute(name, value))
            visit(name, value);
    }
    // The value of an attribute ("" when the object has none), the name in any case.
    static std::string_view attribute(const Object& o, std::string_view name);
    // The values of several attributes in one reading of the object's, in the order named.
    static std::vector<std::string> attributes(const Object& o,
                                               const std::vector<std::string>& names);

    // Reads the file; raises vorq::Error naming it when it is no repository database.
    static std::shared_ptr<StoredRepository> load(const std::filesystem::path& path);

    std::shared_ptr<RepositoryObject> ObjectById(const std::string& id) override;
    std::unique_ptr<ObjectCursor> ObjectsOfClass(const std::string& filter,
                                                 const std::string& className) override;
    std::unique_ptr<ObjectCursor> TopObjects() override;
    void Close() override;

    // "COPYBOOK" or "COBOL".
    const std::string& kind() const { return kind_; }
    // True when its items carry all that decoding records by them needs (Sign, BlankWhenZero).
    bool describesData() const { return describesData_; }
    const Object* object(int id) const;
    std::shared_ptr<RepositoryObject> wrap(int id);
    std::unique_ptr<ObjectCursor> cursor(std::vector<int> ids);
    // The objects of a class below an object (0 for the whole database), in document order.
    std::vector<int> descendantsOfClass(int root, const std::string& className) const;
    const ObjectClass& classNamed(const std::string& name);

private:
    void checkOpen() const;
    void readBlock(std::string_view bytes);

    std::string kind_;
    bool describesData_ = false;
    std::deque<std::string> blocks_; // the bytes that objects_ views: a deque never moves them
    std::vector<Object> objects_;    // index = id - 1
    std::vector<int> top_;
    std::map<std::string, std::unique_ptr<ObjectClass>> classes_;
    bool open_ = true;
};

} // namespace vorq::workbench
