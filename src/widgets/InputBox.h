#pragma once
// A one-line question: caption, prompt and the text offered at first.
#include <QString>
#include <optional>

class QWidget;

// The typed text on OK (possibly empty); nullopt on Cancel or when the box is closed.
// The dialog is a QInputDialog with objectName "InputBox".
std::optional<QString> inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                                const QString& defaultText = QString());
