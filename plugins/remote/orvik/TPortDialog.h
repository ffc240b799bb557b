#pragma once
// The port dialog, "IR-Man Plug-In Configuration": a drop-down list of the system's ports under
// "Connect using:", with OK and Cancel.
#include <QDialog>

#include <string>
#include <vector>

class QComboBox;

namespace orvik {

class TPortDialog : public QDialog {
public:
    // Lists the names in order and selects the one equal to `current`, else the first.
    TPortDialog(const std::vector<std::string>& names, const std::string& current, QWidget* parent);

    // The selected name; empty when the list is empty.
    std::string SelectedName() const;

private:
    QComboBox* Cb_Port;
};

} // namespace orvik
