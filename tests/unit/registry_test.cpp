// Reading and deleting registry places by root number and full path, against the real registry.
#include <gtest/gtest.h>
#include "catalogue/registry_path.h"
#include "support/test_support.h"

namespace {

std::string OwnKeyPath()
{
    return "Software\\QelvanRegistryTest" + std::to_string(GetCurrentProcessId());
}

class RegistryPath : public ::testing::Test {
protected:
    RegistryFixture fixture{HKEY_CURRENT_USER, OwnKeyPath()};
    std::string place(const std::string& rest) const { return fixture.path() + "\\" + rest; }
};

}  // namespace

TEST_F(RegistryPath, ReadsTextValuesAndNothingElse)
{
    const DWORD number = 42;
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    fixture.SetText("K", "Plain", "hello");
    fixture.SetText("K", "Spaces", "   ");
    fixture.SetValue("K", "Dword", REG_DWORD, &number, sizeof(number));
    fixture.SetValue("K", "Binary", REG_BINARY, "xy", 2);
    fixture.SetValue("K", "Multi", REG_MULTI_SZ, "a\0b\0", 5);
    fixture.SetValue("K", "NoData", REG_SZ, "", 0);
    fixture.SetValue("K", "OnlyNul", REG_SZ, "", 1);
    fixture.SetValue("K", "NoNul", REG_SZ, unterminated, sizeof(unterminated));
    fixture.SetValue("K", "Inner", REG_SZ, "ab\0cd", 6);
    fixture.SetText("K", "", "default");
    struct Case {
        std::string path, text;
    } cases[] = {
        {"K\\Plain", "hello"},   {"K\\Spaces", "   "}, {"K\\Dword", ""},   {"K\\Binary", ""},
        {"K\\Multi", ""},        {"K\\NoData", ""},   {"K\\OnlyNul", ""}, {"K\\NoNul", "abcd"},
        {"K\\Inner", "ab"},      {"K\\", "default"},  {"K\\Missing", ""}, {"Missing\\Plain", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, ReadRegistryText(3, place(c.path))) << c.path;
    // Every number that is not a listed root reads from HKEY_CURRENT_USER.
    for (int root : {0, 6, -1}) EXPECT_EQ("hello", ReadRegistryText(root, place("K\\Plain"))) << root;
    EXPECT_EQ("", ReadRegistryText(4, place("K\\Plain")));
}

TEST_F(RegistryPath, ExpandsOnlyExpandableText)
{
    SetEnvironmentVariableA("QELVAN_TEST_VAR", "C:\\Expanded");
    fixture.SetText("K", "Exp", "%QELVAN_TEST_VAR%\\u.exe", REG_EXPAND_SZ);
    fixture.SetText("K", "Sz", "%QELVAN_TEST_VAR%\\u.exe", REG_SZ);
    fixture.SetText("K", "Unknown", "%QELVAN_NO_SUCH_VAR%\\u.exe", REG_EXPAND_SZ);
    EXPECT_EQ("C:\\Expanded\\u.exe", ReadRegistryText(3, place("K\\Exp")));
    EXPECT_EQ("%QELVAN_TEST_VAR%\\u.exe", ReadRegistryText(3, place("K\\Sz")));
    EXPECT_EQ("%QELVAN_NO_SUCH_VAR%\\u.exe", ReadRegistryText(3, place("K\\Unknown")));
}

TEST_F(RegistryPath, ReadsLongTextsWhole)
{
    std::string big(70000, 'x');
    big += "END";
    fixture.SetText("K", "Big", big);
    EXPECT_EQ(big, ReadRegistryText(3, place("K\\Big")));
}

TEST_F(RegistryPath, ReadsAGbkNameWhoseSecondByteIsABackslash)
{
    const std::string name = "\xB0\x5C" "Name";  // 癨Name
    fixture.SetText("K", name.c_str(), "found");
    EXPECT_EQ("found", ReadRegistryText(3, place("K\\" + name)));
}

TEST_F(RegistryPath, DeletesTheValueFirstThenTheKey)
{
    fixture.SetText("P", "Both", "value");
    fixture.SetText("P\\Both", "Inside", "x");
    EXPECT_TRUE(DeleteRegistryItem(3, place("P\\Both")));
    EXPECT_FALSE(fixture.ValueExists("P", "Both"));
    EXPECT_TRUE(fixture.KeyExists("P\\Both"));

    EXPECT_TRUE(DeleteRegistryItem(3, place("P\\Both")));
    EXPECT_FALSE(fixture.KeyExists("P\\Both"));
    EXPECT_FALSE(DeleteRegistryItem(3, place("P\\Both")));

    fixture.SetText("P", "", "default");
    EXPECT_TRUE(DeleteRegistryItem(3, place("P\\")));
    EXPECT_FALSE(fixture.ValueExists("P", ""));
    EXPECT_TRUE(fixture.KeyExists("P"));
}

TEST_F(RegistryPath, LeavesAKeyThatHasSubkeys)
{
    fixture.CreateKey("Parent\\Child");
    EXPECT_FALSE(DeleteRegistryItem(3, place("Parent")));
    EXPECT_TRUE(fixture.KeyExists("Parent\\Child"));
}

TEST_F(RegistryPath, DeletesTheKeyWhenNoValueHasThatName)
{
    fixture.CreateKey("Only");
    EXPECT_TRUE(DeleteRegistryItem(3, place("Only")));
    EXPECT_FALSE(fixture.KeyExists("Only"));
    EXPECT_FALSE(DeleteRegistryItem(3, place("Nothing\\Here")));
}
