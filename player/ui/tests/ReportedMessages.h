#pragma once
// The messages the player's message box shows now, in the order they came (each follows an empty
// line in the box).
#include "player/dialogs/TErrMessage.h"

#include <QString>
#include <QStringList>
#include <QTextEdit>

inline QStringList ReportedMessages(const TErrMessage& box) {
    const QString text = box.Text();
    return text.isEmpty() ? QStringList() : text.mid(1).split("\n\n");
}

// Empties and hides the box, as a user closing it and the next report would.
inline void ClearMessages(TErrMessage& box) {
    box.hide();
    box.Messages()->clear();
}
