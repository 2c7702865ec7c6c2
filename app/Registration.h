#pragma once
// Wiring of the subsystems into the program.

#include <QString>

// Fills the screen table of the main window from every subsystem.
void RegisterAllScreens();
// Creates the main window (which logs in), runs the event loop and returns its code.
int RunMainWindow();
// Renders every screen and dialog offscreen on a demo database into DIR/<class>.png.
int TakeScreenshots(const QString &dir);
