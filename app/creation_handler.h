// The main window's creation handler, which also serves as the refresh of the whole window.
#pragma once

extern const char UninstallRootPath[];

void OnMainWindowCreated();
