#pragma once
// A settings dialog for tests: the controls it is given, found by name without regard to case.
#include "player/model/settings/IConfigForm.h"
#include "player/model/tests/settings/FakeCheckBox.h"
#include "player/model/tests/settings/FakeChoice.h"
#include "player/model/tests/settings/FakeGrid.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class FakeConfigForm : public IConfigForm {
public:
    // A form holding every control of the three graph pages, the custom graph choices and the default
    // graph grids.
    static std::unique_ptr<FakeConfigForm> WithEveryControl();

    FakeCheckBox& AddCheckBox(const std::string& name);
    FakeChoice& AddChoice(const std::string& name);
    FakeGrid& AddGrid(const std::string& name);

    IConfigCheckBox* FindCheckBox(std::string_view name) override;
    IConfigChoice* FindChoice(std::string_view name) override;
    IConfigGrid* FindGrid(std::string_view name) override;

    // The named control; the test fails when the form has none.
    FakeCheckBox& Box(const std::string& name);
    FakeChoice& Choice(const std::string& name);
    FakeGrid& Grid(const std::string& name);

private:
    std::map<std::string, FakeCheckBox> boxes_;
    std::map<std::string, FakeChoice> choices_;
    std::map<std::string, std::unique_ptr<FakeGrid>> grids_;
};
