#pragma once

// Adds the member screens and dialogs to the screen table of the main window.
void RegisterMemberScreens();
