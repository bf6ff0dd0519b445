#pragma once
// The three-panel status bar of the list, voucher and query screens:
// "操作员:", the operator's name, today's date.
#include <QLabel>
#include <QStatusBar>

class QDate;

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent, const QString& name = QStringLiteral("StatusBar1"));
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    // "操作员:", myvar::operatorName, statusDate(today).
    void fill();

private:
    QLabel* m_panels[3];
};

// 2008年3月5日 followed by four blanks.
QString statusDate(const QDate& date);

// Creates the status bar, filled, at the bottom of the screen's layout when it has a
// vertical box or grid layout; otherwise the screen places it.
StatusBar* addStatusBar(QWidget* screen, bool filled = true);
