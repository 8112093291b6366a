#include "browse/RepositoryAccess.h"

#include "host/Error.h"
#include "host/OskWS.h"
#include "host/Repository.h"
#include "host/Workspaces.h"

#include <vector>

namespace vorq::browse {

bool RepositoryAccess::OpenXRDB(const std::string& XRDBName, const std::string& objID) {
    if (XRDBName.empty()) {
        if (RepositoryDB) {
            RepositoryDB->Close();
            RepositoryDB.reset();
        }
        RepositoryDBName.clear();
        return false;
    }
    RepositoryDBName = XRDBName;
    if (RepositoryDB) {
        RepositoryDB->Close();
        RepositoryDB.reset();
    }
    OskWS& osk = *workspaces_.OskWS;
    RepositoryGlobal& repository = osk.Repository();
    const std::string sid = repository.GetRepositorySession()->ObjectById(objID)->Attribute("Sid");
    const std::string typeName = repository.ObjectType(sid.empty() ? objID : sid);
    try {
        const std::string folder = osk.GetBrevanName(4);
        const std::string path =
            folder.empty() || folder.back() == '/' ? folder + XRDBName : folder + "/" + XRDBName;
        RepositoryDB = osk.Opener().OpenDatabase(path, typeName);
        OpenFailure.clear();
    } catch (const std::exception& e) {
        // The tree shows that the source cannot be used; the dialog tells the user why.
        OpenFailure = e.what();
        RepositoryDB.reset();
    }
    return RepositoryDB != nullptr;
}

namespace {

// The objects found, as a cursor.
class FoundObjects : public ObjectCursor {
public:
    explicit FoundObjects(std::vector<std::shared_ptr<RepositoryObject>> objects)
        : objects_(std::move(objects)) {}
    bool AtEnd() override { return at_ >= objects_.size(); }
    std::shared_ptr<RepositoryObject> Current() override {
        if (AtEnd())
            throw Error("No current object");
        return objects_[at_];
    }
    void MoveFirst() override { at_ = 0; }
    void MoveNext() override { ++at_; }

private:
    std::vector<std::shared_ptr<RepositoryObject>> objects_;
    std::size_t at_ = 0;
};

bool isProgram(RepositoryObject& object) {
    return object.Class().ClassName() == "PROGRAM";
}

// The program of that name at or below object, depth first; null when none.
std::shared_ptr<RepositoryObject> findProgram(const std::shared_ptr<RepositoryObject>& object,
                                              const std::string& name) {
    if (isProgram(*object) && object->Attribute("Name") == name)
        return object;
    for (auto children = object->Children(); !children->AtEnd(); children->MoveNext())
        if (auto found = findProgram(children->Current(), name))
            return found;
    return nullptr;
}

// The objects of a class below object, not entering the programs nested in it: their items
// are theirs.
void collectOwn(RepositoryObject& object, const std::string& className,
                std::vector<std::shared_ptr<RepositoryObject>>& out) {
    for (auto children = object.Children(); !children->AtEnd(); children->MoveNext()) {
        auto child = children->Current();
        if (isProgram(*child))
            continue;
        if (child->Class().ClassName() == className)
            out.push_back(child);
        collectOwn(*child, className, out);
    }
}

} // namespace

std::unique_ptr<ObjectCursor> RepositoryAccess::FindProgramObjects(const std::string& programName,
                                                                   const std::string& className) {
    for (auto top = RepositoryDB->TopObjects(); !top->AtEnd(); top->MoveNext()) {
        const auto object = top->Current();
        // A program is looked for below the top too: contained programs nest in their parent.
        if (const auto program = findProgram(object, programName)) {
            std::vector<std::shared_ptr<RepositoryObject>> own;
            collectOwn(*program, className, own);
            return std::make_unique<FoundObjects>(std::move(own));
        }
        if (object->Class().ClassName() == "FILE")
            return RepositoryDB->ObjectsOfClass("", className);
    }
    return nullptr;
}

std::string RepositoryAccess::ProgramNameOf(const std::string& objectId) {
    for (auto object = RepositoryDB->ObjectById(objectId); object; object = object->Parent())
        if (object->Class().ClassName() == "PROGRAM")
            return object->Attribute("Name");
    return "";
}

bool RepositoryAccess::AddIfNew(IdSet& set, const std::string& id) {
    return set.insert("k" + id).second;
}

} // namespace vorq::browse
