#include "player/model/tests/settings/FakeConfigForm.h"

#include "platform/text/CaseFold.h"

#include <stdexcept>

namespace {

std::string Key(std::string_view name) {
    return plat::text::FoldCaseA(name);
}

template <class Map> auto* Find(Map& map, std::string_view name) {
    const auto found = map.find(Key(name));
    return found == map.end() ? nullptr : &found->second;
}

} // namespace

std::unique_ptr<FakeConfigForm> FakeConfigForm::WithEveryControl() {
    auto form = std::make_unique<FakeConfigForm>();
    for (const char* name : {"Ch_UseAutoFilters", "Ch_UseExternalAviSplitter"}) {
        form->AddCheckBox(name);
    }
    for (const char* kind : {"DVD", "Media", "Trans"}) {
        const std::string word = kind;
        for (const char* suffix : {"_UseVMR9", "_UseOverlayMixer", "_UseAutoAudioRenderer", "_AddToRot"}) {
            form->AddCheckBox("Ch_" + word + suffix);
        }
        if (word != "Trans") {
            form->AddCheckBox("Ch_" + word + "_UseAutoMixer");
        }
        form->AddChoice("Cb_" + word + "_AudioRenderer");
        form->AddChoice("Cb_" + word + "CustomGraph");
        form->AddGrid("Ch_" + word + "_FiltersList");
    }
    form->AddChoice("Cb_DVDVid");
    form->AddChoice("Cb_DVDAud");
    form->AddGrid("Ch_Media_ExtGraph");
    form->AddGrid("Ch_Trans_ExtGraph");
    return form;
}

FakeCheckBox& FakeConfigForm::AddCheckBox(const std::string& name) {
    return boxes_[Key(name)];
}

FakeChoice& FakeConfigForm::AddChoice(const std::string& name) {
    return choices_[Key(name)];
}

FakeGrid& FakeConfigForm::AddGrid(const std::string& name) {
    auto& grid = grids_[Key(name)];
    grid = std::make_unique<FakeGrid>(name);
    return *grid;
}

IConfigCheckBox* FakeConfigForm::FindCheckBox(std::string_view name) {
    return Find(boxes_, name);
}

IConfigChoice* FakeConfigForm::FindChoice(std::string_view name) {
    return Find(choices_, name);
}

IConfigGrid* FakeConfigForm::FindGrid(std::string_view name) {
    auto* grid = Find(grids_, name);
    return grid != nullptr ? grid->get() : nullptr;
}

FakeCheckBox& FakeConfigForm::Box(const std::string& name) {
    auto* box = Find(boxes_, name);
    if (box == nullptr) {
        throw std::out_of_range("no check box " + name);
    }
    return *box;
}

FakeChoice& FakeConfigForm::Choice(const std::string& name) {
    auto* choice = Find(choices_, name);
    if (choice == nullptr) {
        throw std::out_of_range("no choice " + name);
    }
    return *choice;
}

FakeGrid& FakeConfigForm::Grid(const std::string& name) {
    auto* grid = Find(grids_, name);
    if (grid == nullptr) {
        throw std::out_of_range("no grid " + name);
    }
    return **grid;
}
