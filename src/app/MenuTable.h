#pragma once
// Which screen each entry of the main menu opens. Every use creates a fresh screen and
// shows it modally; the menu is usable again when it closes.
#include <QString>

#include <vector>

class QWidget;

using OpenScreen = void (*)(QWidget* parent);

struct MenuScreen {
    const char* entry; // objectName of the menu entry, "N41"
    OpenScreen open;
};

const std::vector<MenuScreen>& menuScreens();
// nullptr when the entry opens no screen (yet).
OpenScreen screenFor(const QString& entry);

// The usual row: create the screen on the stack and run it modally.
template <class Screen>
void openModal(QWidget* parent)
{
    Screen screen(parent);
    screen.exec();
}
