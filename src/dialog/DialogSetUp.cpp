// DoCreate: the dialog prepared for one import, shown modally, and its result.

#include "dialog/frmImport.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/Repository.h"
#include "host/VorqWS.h"
#include "host/Workspaces.h"
#include "host/ui/Button.h"
#include "host/ui/ComboBox.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/ImageList.h"
#include "host/ui/OptionButton.h"
#include "host/ui/TabStrip.h"
#include "host/ui/Window.h"
#include "import/ImportOptions.h"

#include <algorithm>

namespace vorq {
namespace {

constexpr int kBrevanRepositoryName = 15;
const char* const kPortRelations[] = {"ReadsDataPort", "InsertsDataPort", "UpdatesDataPort",
                                      "DeletesDataPort"};

// Runs one step of the set-up. Once the program lists are being filled, the set-up goes on
// past a step that fails: a source the workbench cannot describe must not keep the dialog
// from showing the others, and the step's effect is simply missing.
template <class Step> void attempt(bool ignoring, Step&& step) {
    if (!ignoring) {
        step();
        return;
    }
    try {
        step();
    } catch (const std::exception&) {
        return;
    }
}

void addEntry(ImageCombo& combo, const std::string& key, const std::string& text,
              const std::string& image, int indentation, const std::string& tag) {
    ComboItem& item = combo.Add(key, text, image, indentation);
    item.setTag(tag);
    if (!combo.SelectedItem())
        combo.setSelectedItem(&item);
}

} // namespace

bool frmImport::DoCreate(std::int32_t& SelectedTableId) {
    HostPlatform& platform = workspaces_.VorqWS->Platform();
    ignoringErrors_ = false;
    HelpFile_ = platform.Help().HelpFilePath();
    ImportDone = false;
    std::string optionsName = "OptionsProject";
    std::string optionsLocation;
    OptionsProject_ = platform.Options().OpenOptionsProject(optionsName, optionsLocation);
    OptionsPath_ = import::importOptionsPath();

    FormControls& c = controls();
    workspaces_.VorqWS->LoadTableCombo(*c.cmbTable);
    c.optCreateAdd[0]->setVisible(true);
    c.optCreateAdd[1]->setVisible(true);
    if (!c.optCreateAdd[1]->Enabled()) {
        c.optCreateAdd[0]->setValue(true);
        c.optCreateAdd[1]->setValue(false);
    }
    for (int i = 1; i < 3; ++i)
        c.cmbSource[i]->Move(c.cmbSource[0]->Left(), c.cmbSource[0]->Top(), c.cmbSource[0]->Width(),
                             c.cmbSource[0]->Height());
    for (ImageCombo* combo : c.cmbSource)
        combo->Clear();
    window_->setMousePointer(kPointerHourglass);
    c.ilObjects->Clear();
    for (const char* cls : {"PROGRAM", "DATAPORT", "COPYBOOK"})
        LoadIcon(cls);
    workspaces_.RepositoryName = workspaces_.OskWS->GetBrevanName(kBrevanRepositoryName);
    fillSourceLists();

    const bool ignoring = ignoringErrors_;
    int firstTab = -1;
    attempt(ignoring, [&] {
        c.tsSource->setEnabled(true);
        for (int index = 2; index >= 0; --index) {
            const bool has = c.cmbSource[static_cast<std::size_t>(index)]->Count() > 0;
            c.tsSource->setTabEnabled(index, has);
            if (has)
                firstTab = index;
        }
    });
    if (firstTab >= 0)
        attempt(ignoring, [&] {
            c.tsSource->setTab(firstTab);
            browser_.tsSource_Click(0);
        });
    attempt(ignoring, [&] {
        c.cmbTable->setVisible(true);
        c.cmdOptions->setVisible(true);
    });
    NewTableId = "-1";
    attempt(ignoring, [&] { UpdateControls(); });
    window_->setMousePointer(kPointerDefault);
    attempt(ignoring, [&] { window_->ShowModal(); });

    attempt(ignoring, [&] {
        if (!ImportDone)
            SelectedTableId = -1;
        else if (!c.optCreateAdd[0]->Value())
            SelectedTableId = c.cmbTable->ItemData(c.cmbTable->ListIndex());
        else
            SelectedTableId = static_cast<std::int32_t>(std::stol(NewTableId));
    });
    attempt(ignoring, [&] { browser_.repository.OpenXRDB("", ""); });
    return ImportDone;
}

// The copybooks that were verified into a database of their own, then the programs.
void frmImport::fillSourceLists() {
    FormControls& c = controls();
    auto copybooks = workspaces_.OskWS->Repository().GetRepositorySession()->ObjectsOfType(
        "COPYBOOK", workspaces_.RepositoryName, "NAME");
    for (; !copybooks->Eof(); copybooks->MoveNext()) {
        const auto copybook = copybooks->Current();
        const std::string xandrel = copybook->Attribute("Xandrel");
        if (!xandrel.empty())
            addEntry(*c.cmbSource[0], copybook->ObjectId(), copybook->Attribute("Name"), "COPYBOOK",
                     0, xandrel);
    }
    fillProgramLists();
}

// The programs of the verified COBOL sources; those that use data ports also on the ports
// tab, each followed by its ports.
void frmImport::fillProgramLists() {
    FormControls& c = controls();
    RepositoryGlobal& repositoryGlobal = workspaces_.OskWS->Repository();
    const std::string& name = workspaces_.RepositoryName;
    auto sources = repositoryGlobal.GetRepositorySession()->ObjectsOfType("COBOL", name, "NAME");
    for (; !sources->Eof(); sources->MoveNext()) {
        std::shared_ptr<RepositoryComposite> source;
        std::string xandrel;
        attempt(ignoringErrors_, [&] {
            source = sources->Current();
            xandrel = source->Attribute("Xandrel");
        });
        if (!source || xandrel.empty())
            continue;
        std::shared_ptr<ObjectList> programs;
        attempt(ignoringErrors_, [&] { programs = source->Related("DefinesProgram", name); });
        for (; programs && !programs->Eof(); programs->MoveNext()) {
            std::shared_ptr<RepositoryComposite> program;
            attempt(ignoringErrors_, [&] {
                program = programs->Current();
                addEntry(*c.cmbSource[1], program->ObjectId(), program->Attribute("Name"),
                         "PROGRAM", 0, xandrel);
            });
            ignoringErrors_ = true;
            if (!program)
                continue;
            std::vector<std::string> ports;
            for (const char* relation : kPortRelations)
                attempt(true, [&] { CollectIds(ports, *program->Related(relation, name)); });
            if (ports.empty())
                continue;
            attempt(true, [&] {
                addEntry(*c.cmbSource[2], program->ObjectId(), program->Attribute("Name"),
                         "PROGRAM", 0, xandrel);
            });
            for (const auto& id : ports)
                attempt(true, [&] {
                    const auto port = repositoryGlobal.GetRepositorySession()->ObjectById(id);
                    addEntry(*c.cmbSource[2], port->ObjectId(), port->Attribute("PortName"),
                             "DATAPORT", 1, xandrel);
                });
        }
    }
}

void frmImport::CollectIds(std::vector<std::string>& Set, ObjectList& List) {
    // A list that cannot be read to its end adds what it gave before the failure.
    attempt(true, [&] {
        for (; !List.Eof(); List.MoveNext()) {
            const std::string id = List.Current()->ObjectId();
            if (std::find(Set.begin(), Set.end(), id) == Set.end())
                Set.push_back(id);
        }
    });
}

} // namespace vorq
