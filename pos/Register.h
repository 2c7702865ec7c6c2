#pragma once
// Puts the point-of-sale screens and dialogs into the screen table.

void RegisterPosScreens();
