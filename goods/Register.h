#pragma once
// Puts the goods screens into the main window's screen table.

void RegisterGoodsScreens();
