#pragma once

#include "host/HostLibraries.h"
#include "schematool/OptionsFile.h"

#include <filesystem>
#include <memory>

namespace vorq::schematool {

// The schema tool's libraries, lent to the component, and the toolkit the host runs on.
class SchemaToolPlatform : public HostPlatform,
                           private OptionsGlobal,
                           private HostUtility,
                           private HelpGlobal,
                           private FileGlobal {
public:
    SchemaToolPlatform(Toolkit& toolkit, std::filesystem::path optionsFile);

    OptionsGlobal& Options() override { return *this; }
    HostUtility& Utility() override { return *this; }
    HelpGlobal& Help() override { return *this; }
    FileGlobal& Files() override { return *this; }
    Toolkit& Ui() override { return toolkit_; }

    // The options project, loaded on first use.
    OptionsFile& optionsFile();
    // The dialog that the component last registered, or null: the progress window's Cancel
    // goes to it.
    Window* registeredForm() const { return registeredForm_; }

private:
    std::shared_ptr<OptionsProject> OpenOptionsProject(std::string& name,
                                                       std::string& location) override;
    std::string FormatMessage(const std::string& text,
                              const std::vector<std::string>& args) override;
    bool RegisterForm(Window& form) override;
    std::string HelpFilePath() override;
    bool FileExists(const std::string& path, int flags) override;

    Toolkit& toolkit_;
    std::filesystem::path optionsPath_;
    std::shared_ptr<OptionsFile> options_;
    Window* registeredForm_ = nullptr;
};

// "%1" ... "%9" in text replaced by the arguments in order; a number without an argument
// stays as it is.
std::string formatMessage(const std::string& text, const std::vector<std::string>& args);

} // namespace vorq::schematool
