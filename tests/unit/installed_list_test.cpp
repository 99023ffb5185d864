// The installed-software list filled from the real uninstall key of the test prefix, and the
// deletion of an entry.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "app/creation_handler.h"
#include "catalogue/delete_entry.h"
#include "catalogue/installed_list.h"
#include "support/test_support.h"

namespace {

const std::string Root = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Subkeys of the test's own under the real uninstall root, removed afterwards.
class UninstallFixtures {
public:
    explicit UninstallFixtures(const std::string& tag)
        : marker_("QelvanTest" + std::to_string(GetCurrentProcessId()) + tag) {}
    ~UninstallFixtures()
    {
        for (const std::string& name : created_) DeleteTree(HKEY_LOCAL_MACHINE, Root + "\\" + name);
    }
    std::string Name(const std::string& suffix) const { return marker_ + suffix; }
    std::string Add(const std::string& suffix)
    {
        const std::string name = Name(suffix);
        DeleteTree(HKEY_LOCAL_MACHINE, Root + "\\" + name);
        created_.push_back(name);
        HKEY key = Open(name);
        RegCloseKey(key);
        return name;
    }
    void Text(const std::string& name, const char* value, const std::string& text, DWORD type = REG_SZ) const
    {
        HKEY key = Open(name);
        RegSetValueExA(key, value, 0, type, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }
    // Relative to the opened root: Wine's redirected view refuses long names in full paths.
    static HKEY Open(const std::string& name)
    {
        HKEY root = NULL, key = NULL;
        RegOpenKeyA(HKEY_LOCAL_MACHINE, Root.c_str(), &root);
        RegCreateKeyExA(root, name.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
        RegCloseKey(root);
        return key;
    }
    const std::string& marker() const { return marker_; }

private:
    std::string marker_;
    std::vector<std::string> created_;
};

// A list window whose rows the code under test fills.
class ListWindow : public TestListWindow {
public:
    ListView list() const { return ListView(handle()); }
};

HKEY OpenUninstallRoot()
{
    HKEY key = NULL;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, UninstallRootPath, &key);
    return key;
}

struct Row {
    std::string name, command, subkey;
};

// Our fixtures' rows, in list order.
std::vector<Row> OwnRows(ListView list, const std::string& displayMarker)
{
    std::vector<Row> rows;
    for (int i = 0; i < list.RowCount(); ++i) {
        std::string name = list.GetCellText(i, 0);
        if (name.compare(0, displayMarker.size(), displayMarker) == 0)
            rows.push_back({name.substr(displayMarker.size()), list.GetCellText(i, 1), SubkeyNameOfRow(i)});
    }
    return rows;
}

}  // namespace

TEST(FillInstalledList, ListsEntriesWithADisplayNameInEnumerationOrder)
{
    UninstallFixtures f("fill");
    const std::string d = "#" + f.marker() + " ";  // display names carry the marker too
    SetEnvironmentVariableA("QELVAN_LIST_VAR", "Expanded");
    const DWORD number = 7;
    std::string longCommand(70000, 'c');

    std::string a = f.Add("01");
    f.Text(a, "DisplayName", d + "Alpha");
    f.Text(a, "UninstallString", "\"C:\\Program Files\\Alpha\\uninst.exe\"");
    std::string b = f.Add("02");  // no display name at all
    f.Text(b, "UninstallString", "C:\\b.exe");
    std::string c = f.Add("03");
    f.Text(c, "DisplayName", "");
    std::string dw = f.Add("04");
    {
        HKEY key;
        RegOpenKeyA(HKEY_LOCAL_MACHINE, (Root + "\\" + dw).c_str(), &key);
        RegSetValueExA(key, "DisplayName", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
        RegCloseKey(key);
    }
    std::string e = f.Add("05");
    f.Text(e, "DisplayName", d + "Alpha");  // the same name again
    f.Text(e, "UninstallString", "\"C:\\Setup\\setup.exe\" --uninstall");
    std::string g = f.Add("06");
    f.Text(g, "DisplayName", d + "   ");
    f.Text(g, "UninstallString", "");
    std::string h = f.Add("07");
    f.Text(h, "DisplayName", d + "%QELVAN_LIST_VAR%", REG_EXPAND_SZ);
    f.Text(h, "UninstallString", longCommand);
    std::string k = f.Add("08");  // an entry with a subkey of its own is still an entry
    f.Text(k, "DisplayName", d + "WithChild");
    f.Text(k, "UninstallString", "\"");
    f.Add("08\\Child");

    ListWindow window;
    ListView list = window.list();
    list.AppendRow();
    list.SetCellText(0, 0, d + "stale");
    HKEY root = OpenUninstallRoot();
    ASSERT_NE(nullptr, root);
    FillInstalledList(list, root);

    std::vector<Row> rows = OwnRows(list, d);
    const Row expected[] = {
        {"Alpha", "C:\\Program Files\\Alpha\\uninst.exe", a},
        {"Alpha", "\"C:\\Setup\\setup.exe\" --uninstall", e},
        {"   ", "可能软件本身有卸载功能!", g},
        {"Expanded", longCommand, h},
        {"WithChild", "", k},
    };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(expected[i].name, rows[i].name) << i;
        EXPECT_EQ(expected[i].command, rows[i].command) << i;
        EXPECT_EQ(expected[i].subkey, rows[i].subkey) << i;
    }
    EXPECT_EQ(-1, list.CurrentSelection());
    // The key was closed by the fill.
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryInfoKeyA(root, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
}

TEST(FillInstalledList, LongSubkeyNamesDoNotHideTheEntriesAfterThem)
{
    UninstallFixtures f("long");
    const std::string d = "#" + f.marker() + " ";
    // Key names of 254 and 255 characters, and one of 200 GBK characters (400 bytes).
    std::string gbk;
    for (int i = 0; i < 200; ++i) gbk += "\xC8\xED";
    const std::string names[] = {
        f.Add("a" + std::string(254 - f.marker().size() - 1, 'x')),
        f.Add("b" + std::string(255 - f.marker().size() - 1, 'y')),
        f.Add("c" + gbk.substr(0, 2 * (200 - 1 - f.marker().size()))),
        f.Add("d"),
    };
    for (std::size_t i = 0; i < 4; ++i) f.Text(names[i], "DisplayName", d + std::to_string(i));

    ListWindow window;
    FillInstalledList(window.list(), OpenUninstallRoot());
    std::vector<Row> rows = OwnRows(window.list(), d);
    // The 400-byte name does not fit a 255-byte buffer, and "d" comes after all of them: both
    // must be listed. The 254- and 255-character ones are listed where the platform lets their
    // values be read by full path (Wine's redirected view does not).
    std::vector<std::size_t> expected;
    for (std::size_t i = 0; i < 4; ++i) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (Root + "\\" + names[i]).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            expected.push_back(i);
        } else {
            EXPECT_LT(i, 2u) << "the GBK name and the last one must be readable";
        }
    }
    ASSERT_EQ(expected.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(std::to_string(expected[k]), rows[k].name);
        EXPECT_EQ(names[expected[k]], rows[k].subkey);
    }
}

TEST(FillInstalledList, AClosedOrMissingKeyGivesAnEmptyList)
{
    ListWindow window;
    window.list().AppendRow();
    FillInstalledList(window.list(), NULL);
    EXPECT_EQ(0, window.list().RowCount());
    EXPECT_EQ("", SubkeyNameOfRow(0));
}

TEST(DeleteUninstallEntry, RemovesExactlyTheNamedSubkey)
{
    UninstallFixtures f("del");
    std::string guid = f.Add("{A1B2C3}");
    f.Text(guid, "DisplayName", "Same Name");
    std::string decoy = f.Add("Same Name");  // a key that happens to carry the display name
    f.Text(decoy, "DisplayName", "Other");
    std::string parent = f.Add("Parent");
    f.Add("Parent\\Child");

    EXPECT_TRUE(DeleteUninstallEntry(guid));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Root + "\\" + guid));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Root + "\\" + decoy));

    EXPECT_FALSE(DeleteUninstallEntry(parent));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Root + "\\" + parent + "\\Child"));

    // No row, no name: the uninstall root key itself is never touched.
    EXPECT_FALSE(DeleteUninstallEntry(""));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Root));
}
