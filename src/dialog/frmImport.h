#pragma once

#include "dialog/FormControls.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorq {

struct Globals;
class OptionsProject;
class Window;

// The import dialog. It is created once per thread, loaded when its controls are first
// touched, and then only shown and hidden; every Run prepares it afresh through DoCreate.
class frmImport {
public:
    explicit frmImport(Globals& globals);
    ~frmImport();
    frmImport(const frmImport&) = delete;
    frmImport& operator=(const frmImport&) = delete;

    // Prepares the dialog, shows it modally and returns whether an import was carried out;
    // SelectedTableId then names the table that received it, else it is -1.
    bool DoCreate(std::int32_t& SelectedTableId);

    // The Cancel button: outside a run it closes the dialog; during a run it asks whether to
    // interrupt, and Yes clears Importing. The window's close box does the same.
    void cmdCancel_Click();

    // The controls; the first touch runs the load step.
    FormControls& controls();
    Window& window();
    bool isLoaded() const { return window_ != nullptr; }

    std::string HelpFile;
    bool ImportDone = false;
    std::string NewTableId = "-1";
    bool Importing = false;
    bool InOKClick = false;
    std::string MsgTitle;
    std::shared_ptr<vorq::OptionsProject> OptionsProject;
    std::string OptionsPath;

private:
    void Form_Load();
    void LoadCaptions();

    Globals& globals_;
    std::unique_ptr<Window> window_;
    FormControls controls_;
};

// The path of the import options node in the host's options project.
std::string importOptionsPath();

} // namespace vorq
