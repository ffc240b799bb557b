#pragma once
// How the platform's modal dialogs run: the dialog's own modal loop, or, in tests, a runner that plays
// the user's part without blocking.
class QDialog;

namespace plat::forms {

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Runs the dialog until it closes; answers QDialog::Accepted or QDialog::Rejected.
    virtual int Run(QDialog& dialog) = 0;

    // The runner in use: the dialog's modal loop unless a test set its own.
    static DialogRunner& Current();
    // Null puts the modal loop back. The runner must outlive its use.
    static void SetCurrent(DialogRunner* runner);
};

} // namespace plat::forms
