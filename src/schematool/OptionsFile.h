#pragma once

#include "host/HostLibraries.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorq::schematool {

// The host's options project: <workspace>/options.xml. A missing file is created with the
// defaults; a file that is not readable XML raises vorq::Error naming it.
class OptionsFile : public OptionsProject {
public:
    explicit OptionsFile(std::filesystem::path path);

    pugi::xml_node OptionsXml() override { return document_; }
    // Runs the editor that the host set; without one (the command line) it points the user to
    // `vorq options`.
    Value EditOptions(std::string& path, Window& owner, std::string& caption, float& width,
                      float& height, Value& extra) override;
    using Editor = std::function<void(OptionsFile& options, Window& owner)>;
    void setEditor(Editor editor) { editor_ = std::move(editor); }

    const std::filesystem::path& path() const { return path_; }
    // Writes the document back, atomically.
    void save() const;

    // The settings `vorq options` shows and sets, in display order.
    static const std::vector<std::string>& settingNames();
    // The value of a setting as text (a list joined by ", ").
    std::string show(const std::string& name) const;
    // Sets a setting from command-line values; a bad value or name raises vorq::Error and
    // leaves the document unchanged.
    void set(const std::string& name, const std::vector<std::string>& values);
    // The values of a setting: one for a flag or a number, the entries of a list.
    std::vector<std::string> values(const std::string& name) const;
    // Sets several settings and saves them: all of them, or (a bad value or name raises
    // vorq::Error naming it) none, with the document and the file as they were.
    void setAll(const std::vector<std::pair<std::string, std::vector<std::string>>>& settings);
    // The identifier length limit of the schema tool.
    int identifierLimit() const;

private:
    pugi::xml_node importNode() const;
    pugi::xml_node settingNode(const std::string& name) const;

    std::filesystem::path path_;
    pugi::xml_document document_;
    // Asked for every name an import makes: read from the document once after each change.
    mutable std::optional<int> identifierLimit_;
    Editor editor_;
};

} // namespace vorq::schematool
