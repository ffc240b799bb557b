#include "platform/forms/PropertyFrame.h"

#include "platform/forms/PropertyEditorFactory.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace plat::forms {

namespace {

// A frame of a few short rows is still as wide as a caption can be read in.
constexpr int kMinimumCharacters = 40;

} // namespace

PropertyFrame::PropertyFrame(GstElement* element, const QString& caption, QWidget* parent)
    : QDialog(parent), element_(media::ElementRef::Share(element)) {
    setObjectName(QStringLiteral("PropertyFrame"));
    setWindowTitle(caption);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Sb_Properties"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(MakeForm());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("Bt_Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Bt_Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(scroll);
    column->addWidget(buttons);
    FitToScreen(scroll, buttons);
    UpdateOk();
}

PropertyFrame::~PropertyFrame() = default;

QWidget* PropertyFrame::MakeForm() {
    auto* form = new QWidget;
    auto* rows = new QFormLayout(form);
    GObject* object = G_OBJECT(element_.get());
    for (const media::PropertyInfo& info : media::ElementProperties::List(element_.get())) {
        std::unique_ptr<PropertyEditor> editor = MakePropertyEditor(info, form);
        editor->Load(object);
        editor->WatchValidity([this] { UpdateOk(); });
        auto* label = new QLabel(QString::fromUtf8(editor->Name()), form);
        label->setToolTip(editor->Widget()->toolTip());
        label->setEnabled(info.editable);
        rows->addRow(label, editor->Widget());
        editors_.push_back(std::move(editor));
    }
    return form;
}

void PropertyFrame::FitToScreen(const QScrollArea* scroll, const QWidget* buttons) {
    const QMargins margins = layout()->contentsMargins();
    const QSize form = scroll->widget()->sizeHint();
    const int frame = 2 * scroll->frameWidth();
    const int width =
        std::max({form.width() + frame + style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                  buttons->sizeHint().width(), fontMetrics().averageCharWidth() * kMinimumCharacters}) +
        margins.left() + margins.right();
    const int height = form.height() + frame + layout()->spacing() + buttons->sizeHint().height() +
                       margins.top() + margins.bottom();
    const QScreen* display = screen();
    resize(width,
           display != nullptr ? std::min(height, display->availableGeometry().height() * 3 / 4) : height);
}

void PropertyFrame::UpdateOk() {
    ok_->setEnabled(
        std::all_of(editors_.begin(), editors_.end(),
                    [](const std::unique_ptr<PropertyEditor>& editor) { return editor->Valid(); }));
}

void PropertyFrame::Apply() {
    for (const auto& editor : editors_) {
        editor->Apply(G_OBJECT(element_.get()));
    }
}

} // namespace plat::forms
