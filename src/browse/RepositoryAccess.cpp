#include "browse/RepositoryAccess.h"

#include "host/OskWS.h"
#include "host/Repository.h"
#include "host/Workspaces.h"

namespace vorq {

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

std::unique_ptr<ObjectCursor> RepositoryAccess::FindProgramObjects(const std::string& programName,
                                                                   const std::string& className) {
    for (auto top = RepositoryDB->TopObjects(); !top->AtEnd(); top->MoveNext()) {
        const auto object = top->Current();
        const std::string& cls = object->Class().ClassName();
        if (object->Attribute("Name") == programName && cls == "PROGRAM")
            return object->ObjectsOfClass(className);
        if (cls == "FILE")
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

} // namespace vorq
