#include "player/dialogs/TYesNo.h"

#include "platform/forms/DialogRunner.h"
#include "player/ui/skin/buttons/TStaticHoverButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TYesNo* YesNo = nullptr;

namespace {

constexpr int kWidth = 380;
constexpr int kHeight = 150;

TStaticHoverButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new TStaticHoverButton(parent);
    button->setObjectName(name);
    button->SetTexto(caption);
    button->setFixedSize(90, 24);
    return button;
}

} // namespace

TYesNo::TYesNo(QWidget* owner)
    : TCaptionlessDialog(owner, {}, "Are you sure...", QSize(kWidth, kHeight)),
      yesButton_(MakeButton(this, "Bt_Ok", "&Yes")), noButton_(MakeButton(this, "Bt_No", "&No")),
      defaultButton_(new QPushButton(this)) {
    setObjectName("YesNo");
    setWindowTitle("Are you sure...");
    yesButton_->SetDefault(true);
    yesButton_->OnClick = [this](THoverButton*) { done(kYes); };
    noButton_->SetCancel(true);
    noButton_->OnClick = [this](THoverButton*) { done(kNo); };
    // A plain default button outside the client area, as the form has always had.
    defaultButton_->setObjectName("Bt_Def");
    defaultButton_->setGeometry(-100, -100, 10, 10);
    defaultButton_->setAutoDefault(false);
    defaultButton_->setFocusPolicy(Qt::NoFocus);

    QVBoxLayout* body = Body();
    body->setContentsMargins(12, 8, 12, 0);
    for (int i = 0; i < 3; ++i) {
        static const char* const kNames[] = {"Lb_L1", "Lb_L2", "Lb_L3"};
        lines_[i] = new QLabel(this);
        lines_[i]->setObjectName(kNames[i]);
        lines_[i]->setAlignment(Qt::AlignHCenter);
        body->addWidget(lines_[i]);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yesButton_);
    buttons->addWidget(noButton_);
    buttons->addStretch();
    body->addStretch();
    body->addLayout(buttons);
    YesNo = this;
}

TYesNo::~TYesNo() {
    if (YesNo == this) {
        YesNo = nullptr;
    }
}

int TYesNo::Ask(const QString& line1, const QString& line2, const QString& line3, bool yesNo) {
    if (silent_) {
        return kNo;
    }
    lines_[0]->setText(line1);
    lines_[1]->setText(line2);
    lines_[2]->setText(line3);
    CaptionLabel()->setText(yesNo ? QStringLiteral("Are you sure ? ") : QString());
    yesButton_->setVisible(yesNo);
    noButton_->SetTexto(yesNo ? QStringLiteral("&No") : QStringLiteral("OK"));
    setResult(kNo);
    const int answer = plat::forms::DialogRunner::Current().Run(*this);
    return answer == kYes ? kYes : kNo;
}

void TYesNo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (yesButton_->isVisibleTo(this) ? yesButton_ : noButton_)->setFocus();
}

void TYesNo::reject() {
    done(kNo);
}
