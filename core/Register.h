#pragma once
// Registers the screens of the application core with the main window's screen table.

void RegisterCoreScreens();
