#pragma once

// The main window's design size and the strips stacked in its client
// area, in pixels: the toolbar and the palette docked at the top, the
// status bar at the bottom, the text between them.
namespace main_form_layout {

constexpr int ClientWidth = 632, ClientHeight = 421;
constexpr int ToolbarHeight = 32, PaletteHeight = 177, StatusHeight = 19;
constexpr int PaletteTop = ToolbarHeight;
constexpr int TextTop = PaletteTop + PaletteHeight;
constexpr int StatusTop = ClientHeight - StatusHeight;
constexpr int TextHeight = StatusTop - TextTop;

}  // namespace main_form_layout
