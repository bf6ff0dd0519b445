#pragma once
// TForm1, the main window: the menu through which every screen opens, the login and the
// start-up alarms, backup and restore of the category tree files.
#include "app/LoginScreen.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QFileDialog;
class QLabel;
class QMenu;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // Runs a file dialog and gives the chosen file, empty when cancelled. Tests put their
    // own choice in place.
    using FileDialogRunner = std::function<QString(QFileDialog*)>;
    static void setFileDialogRunner(FileDialogRunner runner); // empty: the real dialog

    QMenuBar* MainMenu2;
    QLabel* Image1;
    // The tree-file backup's dialogs, made when first used: building them costs start-up time.
    QFileDialog* saveDialog1();
    QFileDialog* openDialog1();

    // Top-level entries and the entries handled here; the rest are found by name.
    QAction* N1;
    QAction* N5;
    QAction* N17;
    QAction* N34;
    QAction* N35;
    QAction* N39;
    QAction* N40;
    QAction* entry(const QString& name) const;

    // Login, table names, alarms; runs when the window is first shown.
    void FormShow();
    void applyRights(const MenuRights& rights);
    void N39Click();
    void N40Click();
    // Backup and checked restore of the whole books: database and tree files as one set.
    void N49Click();
    void N50Click();
    // When the program ends normally: the automatic backup beside the program.
    void endOfRun();
    void N35Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void openScreen(const QString& entry);
    void runAlarms();
    QString runFileDialog(QFileDialog* dialog);

    QFileDialog* SaveDialog1 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    bool m_shown = false;
    bool m_loggedIn = false;
};
