#pragma once
// The program's message boxes: real modal QMessageBoxes with its own captions.
#include <QMessageBox>
#include <QString>

class QWidget;

inline const QString kHintCaption = QStringLiteral("提示");
inline const QString kWarningCaption = QStringLiteral("警告");
inline const QString kErrorCaption = QStringLiteral("岚桥进销存（单机版）Ver3.0");

// Information icon, OK button.
void showInfo(QWidget* parent, const QString& text, const QString& caption = kHintCaption);

// OK and Cancel; true only when OK was pressed. The icon is Question or Warning.
bool askOkCancel(QWidget* parent, const QString& text, const QString& caption,
                 QMessageBox::Icon icon = QMessageBox::Question);
// Deleting asks this way: warning icon, OK and Cancel.
bool askWarning(QWidget* parent, const QString& text, const QString& caption = kHintCaption);

// What the top-level error handler shows: critical icon, the program's caption, OK.
void showError(QWidget* parent, const QString& text);
