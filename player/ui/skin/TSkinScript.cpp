#include "player/ui/skin/TSkinScript.h"

#include "player/ui/skin/ISkinActionSink.h"
#include "player/ui/skin/SkinText.h"
#include "player/ui/skin/TSkinBuilder.h"
#include "player/ui/skin/TSkinPackage.h"

#include <QApplication>
#include <QRect>

TSkinScript::TSkinScript(ISkinActionSink& sink) : sink_(sink) {}

TSkinScript::~TSkinScript() {
    Clear();
}

void TSkinScript::Clear() {
    mainForm_ = nullptr;
    buttons_.clear();
    speedButtons_.clear();
    seekBars_.clear();
    for (auto& list : labels_) {
        list.clear();
    }
    forms_.clear();
    walk_ = 0;
}

bool TSkinScript::Load(const std::string& scriptName, const std::string& archivePath) {
    TSkinPackage package;
    std::u16string message;
    if (!package.Prepare(scriptName, archivePath, message)) {
        sink_.ReportError(message);
        return false;
    }
    Adopt(package, archivePath);
    return true;
}

void TSkinScript::Adopt(TSkinPackage& package, const std::string& archivePath) {
    Clear();
    messages_ = package.Messages();
    menuLeft_ = package.MenuLeft();
    videoBackground_ = package.VideoBackground();
    windowForm_.clear();
    fullScreenForm_.clear();
    archivePath_ = archivePath;
    TSkinBuilder builder(*this, sink_, package);
    for (const SkinObjectRecord& record : package.Records()) {
        builder.Build(record);
    }
    if (mainForm_ == nullptr && !forms_.empty()) {
        TSkinForm& first = *forms_.front();
        first.setObjectName(QStringLiteral("MainForm"));
        first.SetMainForm(true);
        mainForm_ = &first;
        sink_.LoadFormPosition(first);
    }
    RefreshDisplays();
}

void TSkinScript::UpdateForms() {
    for (const auto& form : forms_) {
        form->repaint();
    }
}

// The interface is the main skin form: the one the loader shows, and the one hidden at start when a
// setting hides the interface.
void TSkinScript::HideInterface() {
    if (interfaceHidden_) {
        return;
    }
    if (mainForm_ != nullptr) {
        mainForm_->SetVisibleMark(mainForm_->isVisible());
        mainForm_->hide();
    }
    interfaceHidden_ = true;
}

void TSkinScript::ShowInterface() {
    if (mainForm_ != nullptr && mainForm_->VisibleMark()) {
        mainForm_->show();
    }
    interfaceHidden_ = false;
}

void TSkinScript::ShowForm(const QString& name) {
    for (const auto& form : forms_) {
        if (form->objectName() != name) {
            continue;
        }
        if (!interfaceHidden_) {
            form->show();
        }
        form->SetVisibleMark(true);
        form->move(form->x(), lastHidden_.y());
        form->move(lastHidden_.x(), form->y());
    }
}

void TSkinScript::HideForm(const QString& name) {
    for (const auto& form : forms_) {
        if (form->objectName() != name) {
            continue;
        }
        form->hide();
        form->SetVisibleMark(false);
        // A form that stands in the video has no place of its own for the next form to take.
        if (form->Anchor() == SkinAnchor::None) {
            lastHidden_ = form->pos();
        }
    }
}

void TSkinScript::SwitchScreenMode(bool fullScreen) {
    if (fullScreen) {
        HideForm(windowForm_);
        ShowForm(fullScreenForm_);
    } else {
        HideForm(fullScreenForm_);
        ShowForm(windowForm_);
    }
    ArrangeForms(Arrange::Move);
}

bool TSkinScript::ArrangeForms(Arrange kind) {
    if (arranging_) {
        return false;
    }
    arranging_ = true;
    const QRect video = sink_.VideoWindowRect();
    for (const auto& form : forms_) {
        if (form->Anchor() == SkinAnchor::None) {
            continue;
        }
        const int w = form->width();
        const int h = form->height();
        QPoint target(video.left(), video.top());
        if (form->Anchor() == SkinAnchor::TopRight || form->Anchor() == SkinAnchor::BottomRight) {
            target.setX(video.left() + video.width() - w);
        }
        if (form->Anchor() == SkinAnchor::BottomLeft || form->Anchor() == SkinAnchor::BottomRight) {
            target.setY(video.top() + video.height() - h);
        }
        const bool visible = form->isVisible();
        if (kind == Arrange::Hide) {
            if (visible && QApplication::activeWindow() != form.get()) {
                form->SetVisibleMark(false);
                form->hide();
            }
            continue;
        }
        if (kind == Arrange::Show && !visible) {
            form->setAttribute(Qt::WA_ShowWithoutActivating);
            form->show();
            form->SetVisibleMark(true);
        } else if (!(kind == Arrange::Move && visible)) {
            continue;
        }
        form->move(target);
        form->raise();
    }
    arranging_ = false;
    return true;
}

void TSkinScript::RestoreForms() {
    for (const auto& form : forms_) {
        if (form.get() != mainForm_ && form->isVisible()) {
            form->showNormal();
            form->raise();
        }
    }
    if (mainForm_ != nullptr && mainForm_->isVisible()) {
        mainForm_->showNormal();
        mainForm_->raise();
    }
}

TSkinForm* TSkinScript::FormOfButton(QObject* sender) const {
    if (sender == nullptr) {
        return nullptr;
    }
    const QByteArray kind = sender->metaObject()->className();
    if (kind != "TWinHoverButton" && kind != "THoverButton") {
        return nullptr;
    }
    return qobject_cast<TSkinForm*>(static_cast<QWidget*>(sender)->parentWidget());
}

void TSkinScript::RunFormToggle(QObject* sender) {
    TSkinForm* own = FormOfButton(sender);
    if (own == nullptr) {
        return;
    }
    const QString argument = static_cast<THoverButton*>(sender)->PrmData();
    if (argument == QStringLiteral("-")) {
        HideForm(own->objectName());
    } else {
        ShowForm(argument);
    }
}

void TSkinScript::RunFormSwitch(QObject* sender) {
    TSkinForm* own = FormOfButton(sender);
    if (own == nullptr) {
        return;
    }
    const QString argument = static_cast<THoverButton*>(sender)->PrmData();
    HideForm(own->objectName());
    ShowForm(argument);
}

QString TSkinScript::Cut(const QString& text, std::size_t length) {
    return text.left(static_cast<qsizetype>(length));
}

void TSkinScript::PassLabels(const char* kind, const QString& text) {
    for (std::size_t i = 0; i < kLabelKinds.size(); ++i) {
        if (SkinText::SameText(kLabelKinds[i], kind)) {
            for (const auto& label : labels_[i]) {
                label->SetText(text);
            }
        }
    }
}

void TSkinScript::SetTime(int64_t ms) {
    time_ = ms;
    for (const auto& label : labels_[kTimeDisplayList]) {
        label->ShowTime(ms);
    }
}

void TSkinScript::SetTitle(const QString& text) {
    title_ = Cut(text, kMaxTitle);
    PassLabels("TitleDisplay", text);
}

void TSkinScript::SetChapter(const QString& text) {
    chapter_ = Cut(text, kMaxChapter);
    PassLabels("ChapterDisplay", text);
}

void TSkinScript::SetProfileName(const QString& text) {
    profileName_ = Cut(text, kMaxProfileName);
    PassLabels("ProfileNameDisplay", text);
}

void TSkinScript::SetVolume(const QString& text) {
    volume_ = Cut(text, kMaxVolume);
    PassLabels("VolumeDisplay", text);
}

void TSkinScript::SetDuration(int64_t ms) {
    duration_ = ms;
    for (const auto& bar : seekBars_) {
        bar->SetDuration(ms);
    }
    for (const auto& label : labels_[kTimeDisplayList]) {
        label->SetDuration(ms);
    }
}

void TSkinScript::SetPosition(int64_t ms) {
    position_ = ms;
    for (const auto& bar : seekBars_) {
        bar->SetPosition(ms);
    }
}

void TSkinScript::RefreshDisplays() {
    SetTime(time_);
    SetTitle(title_);
    SetChapter(chapter_);
    SetProfileName(profileName_);
    SetVolume(volume_);
    SetDuration(duration_);
    SetPosition(position_);
}

void TSkinScript::SetModeButtons(bool dvdMode, bool down) {
    const int action = sink_.ModeAction(dvdMode);
    if (action == ISkinActionSink::kNoAction) {
        return;
    }
    auto press = [action, down](THoverButton& button) {
        if (button.ActionTag() == action && !button.Down()) {
            button.SetDown(down);
        }
    };
    for (const auto& button : buttons_) {
        press(button->Button());
    }
    for (const auto& button : speedButtons_) {
        press(button->Button());
    }
}

TSkinForm* TSkinScript::FirstForm() {
    walk_ = 0;
    return NextForm();
}

TSkinForm* TSkinScript::NextForm() {
    if (walk_ >= forms_.size()) {
        return nullptr;
    }
    return forms_[walk_++].get();
}
