#include "schematool/SchemaToolPlatform.h"

#include "host/Error.h"

namespace vorq::schematool {

std::string formatMessage(const std::string& text, const std::vector<std::string>& args) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9' &&
            static_cast<std::size_t>(text[i + 1] - '1') < args.size()) {
            result += args[static_cast<std::size_t>(text[i + 1] - '1')];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

SchemaToolPlatform::SchemaToolPlatform(Toolkit& toolkit, std::filesystem::path optionsFile)
    : toolkit_(toolkit), optionsPath_(std::move(optionsFile)) {}

OptionsFile& SchemaToolPlatform::optionsFile() {
    if (!options_)
        options_ = std::make_shared<OptionsFile>(optionsPath_);
    return *options_;
}

std::shared_ptr<OptionsProject> SchemaToolPlatform::OpenOptionsProject(std::string& name,
                                                                       std::string&) {
    if (name != "OptionsProject")
        throw Error("The schema tool has no options project named " + name);
    optionsFile();
    return options_;
}

std::string SchemaToolPlatform::FormatMessage(const std::string& text,
                                              const std::vector<std::string>& args) {
    return formatMessage(text, args);
}

bool SchemaToolPlatform::RegisterForm(Window& form) {
    registeredForm_ = &form;
    return true;
}

std::string SchemaToolPlatform::HelpFilePath() {
    // Installed beside the program as share/doc/vorq/README.md.
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "share/doc/vorq/README.md").string();
}

bool SchemaToolPlatform::FileExists(const std::string& path, int) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace vorq::schematool
