// Row and cell operations on a report-view list control; a non-owning wrapper of its handle.
#pragma once
#include <windows.h>
#include <string>

class ListView {
public:
    explicit ListView(HWND handle = NULL) : handle_(handle) {}
    operator HWND() const { return handle_; }
    void Attach(HWND handle) { handle_ = handle; }
    HWND Detach() { HWND h = handle_; handle_ = NULL; return h; }

    void RemoveAllRows() const;
    // Inserts an empty row after the last one; returns its position (-1 on failure).
    int AppendRow() const;
    void SetCellText(int row, int column, const std::string& text) const;
    // The whole text of the cell, however long; empty for a position that holds no row.
    std::string GetCellText(int row, int column) const;
    // The first selected row, or -1.
    int CurrentSelection() const;
    int RowCount() const;

private:
    HWND handle_;
};
