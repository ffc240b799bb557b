#include "editor/ui/TInfo.h"

#include "editor/TProfileInfo.h"
#include "editor/TShared.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TInfo::TInfo(TShared& shared, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), shared_(shared) {
    setObjectName("Info");
    setWindowTitle("Info");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QWidget(this);
    top->setObjectName("Pn_InfoTop");
    auto* fields = new QFormLayout(top);
    layout->addWidget(top);
    name_ = AddEdit("Ed_Pro_Name", "Title", 254);
    createdBy_ = AddEdit("Ed_Pro_CreatedBy", "Created by", 254);
    lastUpdate_ = AddEdit("Ed_Pro_LastUpdate", "Last update", 50);
    version_ = AddEdit("Ed_Pro_Version", "Version", 9);
    for (QLineEdit* edit : {name_, createdBy_, lastUpdate_, version_}) {
        fields->addRow(edit->property("label").toString(), edit);
        connect(edit, &QLineEdit::textEdited, this, [this] { FieldsEdited(); });
    }
    auto* buttons = new QHBoxLayout;
    profileButton_ = new QPushButton("Profile", this);
    profileButton_->setObjectName("Bt_ProReadme");
    languageButton_ = new QPushButton("Language", this);
    languageButton_->setObjectName("Bt_LanReadme");
    auto* group = new QButtonGroup(this);
    for (QPushButton* button : {profileButton_, languageButton_}) {
        button->setCheckable(true);
        group->addButton(button);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this] {
            StoreReadme();
            profileReadme_ = profileButton_->isChecked();
            ShowReadme();
        });
    }
    profileButton_->setChecked(true);
    layout->addLayout(buttons);
    readme_ = new QPlainTextEdit(this);
    readme_->setObjectName("Me_Readme");
    readme_->installEventFilter(this);
    connect(readme_, &QPlainTextEdit::textChanged, this, [this] { Modified(); });
    layout->addWidget(readme_);
    ShowReadme();
    resize(420, 360);
}

QLineEdit* TInfo::AddEdit(const char* name, const char* label, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setProperty("label", QString(label));
    return edit;
}

void TInfo::ShowProfileInfo(const TProfileCursor* cursor) {
    if (cursor == nullptr) {
        bound_ = TProfileCursor{};
        return;
    }
    loading_ = true;
    bound_ = *cursor;
    const TDVDProfile* profile = bound_.Profile.Get();
    name_->setText(profile != nullptr ? QString::fromStdString(profile->Header.Title) : QString());
    createdBy_->setText(profile != nullptr ? QString::fromStdString(profile->Header.CreatedBy) : QString());
    version_->setText(profile != nullptr ? QString::fromStdString(profile->Header.Version) : QString());
    lastUpdate_->setText(profile != nullptr ? QString::fromStdString(profile->Header.LastUpdate) : QString());
    profileButton_->setChecked(true);
    profileReadme_ = true;
    ShowReadme();
    loading_ = false;
}

void TInfo::ShowReadme() {
    const bool wasLoading = loading_;
    loading_ = true;
    TDVDProfile* profile = bound_.Profile.Get();
    TLanguage* language = bound_.Language.Get();
    if (profile == nullptr || language == nullptr) {
        readme_->clear();
        readme_->setEnabled(false);
        loading_ = wasLoading;
        return;
    }
    std::u16string text;
    if (profileReadme_ && profile->Readme != nullptr) {
        text = TProfileInfo::DecodeReadme(*profile->Readme);
    } else if (!profileReadme_ && language->Readme != nullptr) {
        text = TProfileInfo::DecodeReadme(
            std::string_view(language->Readme->Data, static_cast<std::size_t>(language->Readme->Used)));
    }
    readme_->setPlainText(QString::fromStdU16String(text));
    readme_->setEnabled(true);
    loading_ = wasLoading;
}

void TInfo::StoreReadme() {
    TDVDProfile* profile = bound_.Profile.Get();
    TLanguage* language = bound_.Language.Get();
    if (profile == nullptr || language == nullptr) {
        return;
    }
    const std::string bytes = TProfileInfo::EncodeReadme(readme_->toPlainText().toStdU16String());
    if (profileReadme_) {
        profile->Readme = std::make_unique<std::string>(bytes);
        return;
    }
    if (language->Readme == nullptr) {
        language->Readme = std::make_unique<TMemoryObject>(1024);
    }
    language->Readme->Reset();
    language->Readme->AppendData(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TInfo::FieldsEdited() {
    if (loading_) {
        return;
    }
    if (TDVDProfile* profile = bound_.Profile.Get()) {
        TProfileInfo::StoreFields({name_->text().toStdString(), createdBy_->text().toStdString(),
                                   version_->text().toStdString(), lastUpdate_->text().toStdString()},
                                  profile->Header);
    }
    Modified();
}

void TInfo::Modified() {
    if (!loading_ && !bound_.IsEmpty()) {
        const TProfileCursor copy = bound_;
        shared_.ItemModified(&copy, false);
    }
}

bool TInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == readme_ && event->type() == QEvent::FocusOut) {
        StoreReadme();
    }
    return QDialog::eventFilter(watched, event);
}

void TInfo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        StoreReadme();
    }
    QDialog::changeEvent(event);
}

void TInfo::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void TInfo::closeEvent(QCloseEvent* event) {
    StoreReadme();
    QDialog::closeEvent(event);
}
