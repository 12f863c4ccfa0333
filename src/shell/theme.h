// The Dark theme: its files, named colours, fixed colours and the
// background strings of the frame, the panes and their tab labels.
#pragma once

#include <xcgui.h>

#include "data/keyed_table.h"

// Theme file paths, relative to the host's current directory.
namespace ThemeSet {
constexpr const char* directory = "lib\\Tarvolin\\Dark\\";
constexpr const char* resourceFile = "lib\\Tarvolin\\Dark\\resource.res";
constexpr const char* styleSheet = "lib\\Tarvolin\\Dark\\style.css";
constexpr const char* toolImages = "lib\\Tarvolin\\Dark\\Images\\wintools\\";
constexpr const char* comboBoxItemTemplate = "lib\\Tarvolin\\Dark\\ComboBoxListBoxItem.xml";
}  // namespace ThemeSet

// Fixed colours.
constexpr COLORREF paneTextColour = RGB(241, 241, 241);
constexpr COLORREF paneTextActiveColour = RGB(255, 255, 255);
constexpr COLORREF tabHoverColour = RGB(85, 170, 255);
constexpr COLORREF tabCheckedColour = RGB(0, 151, 251);
constexpr COLORREF frameShadowColour = RGB(0, 122, 204);
constexpr COLORREF frameShadowDebuggingColour = RGB(202, 81, 0);

// Gives an element or window background a background-info string.
void setElementBackground(HELE element, const char* background);
void setWindowBackground(HWINDOW window, const char* background);

// The frame's four border areas in their normal (0) or debugging (1) look.
void setFrameBorders(int debugging);
// The look of every pane of the frame.
void stylePanes();
// Colours and hover handlers of the pane groups' tab labels, once per label.
void styleTabLabels();
// Pane caption colours while the pane is active (31) and after (32).
int CALLBACK onPaneCaptionActive(HELE pane, BOOL* handled);
int CALLBACK onPaneCaptionInactive(HELE pane, BOOL* handled);

// Tab labels that already have their handlers.
extern KeyedTable labelHandlers;
