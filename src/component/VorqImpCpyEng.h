#pragma once

#include <memory>
#include <string>

namespace vorq {

class OskWS;
class VorqWS;

// The component's one public class: the host calls Run each time the user asks for an import
// of COBOL structures.
class VorqImpCpyEng {
public:
    // Binds the workspaces to this thread's module state, shows the import dialog until the
    // user closes it and writes 0 (import done) or -3 into VorqWS's ReturnCode. Param is not
    // read. Errors of the host before the dialog shows propagate as vorq::Error, and
    // ReturnCode is then left as it was.
    void Run(std::shared_ptr<vorq::OskWS>& OskWS, std::shared_ptr<vorq::VorqWS>& VorqWS,
             std::string& Param);
};

} // namespace vorq
