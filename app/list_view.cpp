#include "app/list_view.h"
#include <commctrl.h>
#include <vector>

void ListView::RemoveAllRows() const
{
    SendMessageA(handle_, LVM_DELETEALLITEMS, 0, 0);
}

int ListView::RowCount() const
{
    return static_cast<int>(SendMessageA(handle_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::AppendRow() const
{
    char empty[1] = "";
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = empty;
    return static_cast<int>(SendMessageA(handle_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCellText(int row, int column, const std::string& text) const
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(handle_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::GetCellText(int row, int column) const
{
    if (row < 0 || row >= RowCount()) return std::string();
    // The control copies at most the buffer's size less one; grow until the text fits.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        LRESULT n = SendMessageA(handle_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (n < static_cast<LRESULT>(buffer.size()) - 1) return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 4);
    }
}

int ListView::CurrentSelection() const
{
    return static_cast<int>(SendMessageA(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
