#pragma once

#include "host/Value.h"

#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace vorq {

class Toolkit;
class Window;

// An options project of the host: an XML document of settings and its editor.
class OptionsProject {
public:
    virtual ~OptionsProject() = default;
    // The root of the options document; XPath queries run on it.
    virtual pugi::xml_node OptionsXml() = 0;
    // Runs the host's options editor on the node at path; the result is not used.
    virtual Value EditOptions(std::string& path, Window& owner, std::string& caption, float& width,
                              float& height, Value& extra) = 0;
};

// The host's options service.
class OptionsGlobal {
public:
    virtual ~OptionsGlobal() = default;
    // Opens the options project of that name; raises vorq::Error when it cannot.
    virtual std::shared_ptr<OptionsProject> OpenOptionsProject(std::string& name,
                                                               std::string& location) = 0;
};

// The host's utility service.
class HostUtility {
public:
    virtual ~HostUtility() = default;
    // The text with "%1", "%2", ... replaced by the arguments in order.
    virtual std::string FormatMessage(const std::string& text,
                                      const std::vector<std::string>& args) = 0;
    // Tells the host of a dialog that has been loaded; the result is not used.
    virtual bool RegisterForm(Window& form) = 0;
};

// The host's help service.
class HelpGlobal {
public:
    virtual ~HelpGlobal() = default;
    // The help file that the component's dialogs use.
    virtual std::string HelpFilePath() = 0;
};

// The host's file service.
class FileGlobal {
public:
    virtual ~FileGlobal() = default;
    // True when a file exists at path; flags 0 asks for a plain file.
    virtual bool FileExists(const std::string& path, int flags) = 0;
};

// What the host process lends the component: its libraries and its user-interface toolkit.
// The host creates each library once; they live as long as the component.
class HostPlatform {
public:
    virtual ~HostPlatform() = default;
    virtual OptionsGlobal& Options() = 0;
    virtual HostUtility& Utility() = 0;
    virtual HelpGlobal& Help() = 0;
    virtual FileGlobal& Files() = 0;
    virtual Toolkit& Ui() = 0;
};

} // namespace vorq
