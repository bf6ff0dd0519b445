#include "widgets/MessageBoxes.h"

namespace {
QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                   const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void showInfo(QWidget* parent, const QString& text, const QString& caption)
{
    runBox(parent, QMessageBox::Information, caption, text, QMessageBox::Ok);
}

bool askOkCancel(QWidget* parent, const QString& text, const QString& caption, QMessageBox::Icon icon)
{
    return runBox(parent, icon, caption, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool askWarning(QWidget* parent, const QString& text, const QString& caption)
{
    return askOkCancel(parent, text, caption, QMessageBox::Warning);
}

void showError(QWidget* parent, const QString& text)
{
    runBox(parent, QMessageBox::Critical, kErrorCaption, text, QMessageBox::Ok);
}
