#pragma once

#include <memory>
#include <string>

namespace vorq {

class OskWS;
class ProjectDatabase;
class VorqWS;

// The host's objects that one Run works with: bound at the start of every Run and read by
// every layer of the component below it.
struct Workspaces {
    std::shared_ptr<vorq::VorqWS> VorqWS;
    std::shared_ptr<vorq::OskWS> OskWS;
    std::shared_ptr<ProjectDatabase> ProjectDB;
    // The repository name that every workbench query names.
    std::string RepositoryName;
};

} // namespace vorq
