// A one-line text link that opens its target in the web browser when pressed.
#pragma once
#include <windows.h>
#include <string>

extern const char HyperlinkClass[];

const COLORREF LinkNormalColour = RGB(0, 0, 255);
const COLORREF LinkHoverColour = RGB(51, 153, 255);
const COLORREF LinkVisitedColour = RGB(128, 0, 0);

bool RegisterHyperlinkClass(HINSTANCE instance);
void SetHyperlinkTarget(HWND link, const std::string& target);

COLORREF HyperlinkTextColour(bool pointerOver, bool visited);

// The ".htm" handler's command cut before its "%1" placeholder (a quoted one first).
std::string CutHtmCommand(const std::string& command);

// Starts the address with the program registered for ".htm" files; true on success.
bool OpenWithHtmHandler(const std::string& target);

// The link's press: the shell first, then the ".htm" handler; true when either started.
bool OpenLinkTarget(const std::string& target);
