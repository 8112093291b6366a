#pragma once

#include <memory>
#include <string>

namespace vorq {

class OskWS;
class ProjectDatabase;
class VorqWS;
class frmImport;

// The component's module state. Each thread that calls Run has its own, so that two hosts
// on two threads never share a workspace or a dialog.
struct Globals {
    std::shared_ptr<vorq::VorqWS> VorqWS;
    std::shared_ptr<vorq::OskWS> OskWS;
    std::shared_ptr<ProjectDatabase> ProjectDB;
    std::string RepositoryName;
    // The one dialog of this thread, created by the first Run and reused by every later one.
    std::unique_ptr<frmImport> dialog;

    Globals();
    ~Globals();

    // The state of the calling thread.
    static Globals& current();
};

} // namespace vorq
