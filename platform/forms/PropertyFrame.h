#pragma once
// The properties frame of one element: a scrolling form with one row per property the element shows
// (its name as the label, its description as the tool tip, an editor by the property's kind), and OK
// and Cancel. Nothing reaches the element until Apply, which the frame's owner calls after OK; OK is
// disabled while an edited text does not parse. The frame keeps the element alive while it exists.
#include "platform/forms/PropertyEditor.h"
#include "platform/media/GstRef.h"

#include <QDialog>

#include <memory>
#include <vector>

class QPushButton;
class QScrollArea;

namespace plat::forms {

class PropertyFrame : public QDialog {
public:
    PropertyFrame(GstElement* element, const QString& caption, QWidget* parent = nullptr);
    ~PropertyFrame() override;

    // Writes every changed value to the element.
    void Apply();
    const std::vector<std::unique_ptr<PropertyEditor>>& Editors() const { return editors_; }

private:
    QWidget* MakeForm();
    void UpdateOk();
    // The form's own size, within three quarters of the screen's height.
    void FitToScreen(const QScrollArea* scroll, const QWidget* buttons);

    media::ElementRef element_;
    std::vector<std::unique_ptr<PropertyEditor>> editors_;
    QPushButton* ok_ = nullptr;
};

} // namespace plat::forms
