#pragma once

#include "host/RepositoryDatabase.h"

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
    struct Object {
        int id = 0;
        int parent = 0;
        std::string cls;
        std::string displayName;
        std::vector<std::pair<std::string, std::string>> attributes;
        std::vector<int> children;
        std::vector<std::pair<std::string, int>> relations;
    };

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
    std::vector<Object> objects_; // index = id - 1
    std::vector<int> top_;
    std::map<std::string, std::unique_ptr<ObjectClass>> classes_;
    bool open_ = true;
};

} // namespace vorq::workbench
