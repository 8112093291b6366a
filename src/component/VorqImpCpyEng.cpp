#include "component/VorqImpCpyEng.h"

#include "component/Globals.h"
#include "dialog/frmImport.h"
#include "host/Error.h"
#include "host/ProjectDatabase.h"
#include "host/VorqWS.h"

namespace vorq {
namespace {
constexpr int kObjectNotSet = 91;
constexpr int kNoSuchInterface = 438;
} // namespace

void VorqImpCpyEng::Run(std::shared_ptr<vorq::OskWS>& OskWS, std::shared_ptr<vorq::VorqWS>& VorqWS,
                        std::string& /*Param: accepted and never read*/) {
    if (!OskWS || !VorqWS)
        throw Error("Object variable not set: Run needs both workspaces", kObjectNotSet);
    Globals& g = Globals::current();
    g.VorqWS = VorqWS;
    g.OskWS = OskWS;

    g.ProjectDB = std::dynamic_pointer_cast<ProjectDatabase>(VorqWS->ProjectDB());
    if (!g.ProjectDB)
        throw Error("Object doesn't support this property or method: the host's ProjectDB is "
                    "not a project database",
                    kNoSuchInterface);

    if (!g.dialog)
        g.dialog = std::make_unique<frmImport>(g);

    std::int32_t selectedTableId = VorqWS->SelectedTabID();
    const bool importDone = g.dialog->DoCreate(selectedTableId);
    VorqWS->setReturnCode(importDone ? 0 : -3);
}

} // namespace vorq
