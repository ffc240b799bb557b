#include "platform/forms/DialogRunner.h"

#include <QDialog>

#include <atomic>

namespace plat::forms {

namespace {

class ModalLoop : public DialogRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

ModalLoop modalLoop;
std::atomic<DialogRunner*> current{&modalLoop};

} // namespace

DialogRunner& DialogRunner::Current() {
    return *current.load();
}

void DialogRunner::SetCurrent(DialogRunner* runner) {
    current.store(runner != nullptr ? runner : &modalLoop);
}

} // namespace plat::forms
