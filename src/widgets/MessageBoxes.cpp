#include "widgets/MessageBoxes.h"

#include <QAbstractButton>

namespace {
QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                   const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("确定"));
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("取消"));
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
