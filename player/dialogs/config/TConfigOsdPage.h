#pragma once
// The page of on-screen messages, hints and tips ("Pg_OSD"): whether and how long messages show, their
// font, colour, place and margins, the OSD script, the hint switch, colour and delays, and the tip at
// start. The five place shapes act as one choice.
#include <QWidget>

class IConfigChoosers;
class QComboBox;

class TConfigOsdPage : public QWidget {
    Q_OBJECT
public:
    TConfigOsdPage(IConfigChoosers& choosers, QWidget* parent = nullptr);

    QComboBox* Script() const { return script_; }

signals:
    // The OSD script choice changed.
    void scriptFlagChanged();

private:
    void BuildMessages(IConfigChoosers& choosers);
    void BuildPlaces();
    void BuildHints(IConfigChoosers& choosers);

    QComboBox* script_;
};
