#pragma once
// A dialog runner for tests: while it exists, every modal dialog is handed to a script that plays the
// user's part and answers how the dialog closed; what was shown is recorded.
#include "platform/forms/DialogRunner.h"
#include "platform/forms/PropertyFrame.h"

#include <QApplication>
#include <QThread>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace plat::forms::test {

class ScriptedDialogRunner : public DialogRunner {
public:
    struct Shown {
        QString title;
        QPoint position;
        bool onApplicationThread;
        bool modal;
        std::vector<std::string> properties; // the editors' names, in form order
    };
    using Script = std::function<int(PropertyFrame&)>;

    explicit ScriptedDialogRunner(Script script) : script_(std::move(script)) { SetCurrent(this); }
    ~ScriptedDialogRunner() override { SetCurrent(nullptr); }

    int Run(QDialog& dialog) override {
        auto& frame = dynamic_cast<PropertyFrame&>(dialog);
        Shown shown{frame.windowTitle(),
                    frame.pos(),
                    QThread::currentThread() == qApp->thread(),
                    frame.windowModality() == Qt::ApplicationModal,
                    {}};
        for (const auto& editor : frame.Editors()) {
            shown.properties.emplace_back(editor->Name());
        }
        {
            std::lock_guard lock(mutex_);
            shown_.push_back(shown);
        }
        return script_(frame);
    }

    std::vector<Shown> ShownFrames() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }

    static int Accept(PropertyFrame&) { return QDialog::Accepted; }
    static int Cancel(PropertyFrame&) { return QDialog::Rejected; }

private:
    Script script_;
    mutable std::mutex mutex_;
    std::vector<Shown> shown_;
};

} // namespace plat::forms::test
