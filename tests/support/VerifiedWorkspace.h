#pragma once

#include "support/TempDir.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <memory>
#include <stdexcept>

namespace vorq::testing {

// A workbench in a temporary workspace with the bundled examples verified into it.
struct VerifiedWorkspace {
    TempDir dir;
    std::shared_ptr<workbench::Workbench> wb = std::make_shared<workbench::Workbench>(dir.path());
    cobol::DiskFileReader disk;

    VerifiedWorkspace() {
        workbench::Verifier verifier(*wb, disk, {{VORQ_EXAMPLES "/copybooks"}});
        for (const auto& source : workbench::collectSources({VORQ_EXAMPLES}))
            if (!verifier.verify(source).verified)
                throw std::runtime_error("example did not verify: " + source);
    }

    std::int64_t id(const std::string& cls, const std::string& name) {
        for (const auto& o : wb->catalog().objectsOfClass(cls))
            if (o.name == name)
                return o.id;
        throw std::runtime_error("no " + cls + " " + name);
    }
    std::string names(const std::vector<std::int64_t>& ids) {
        std::string out;
        for (auto id : ids)
            out += (out.empty() ? "" : " ") + wb->catalog().object(id)->name;
        return out;
    }
};

} // namespace vorq::testing
