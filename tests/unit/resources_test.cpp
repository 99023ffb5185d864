// The resources the executable carries: the icon, the banner and the version information.
#include <gtest/gtest.h>
#include <windows.h>
#include "app/jpeg_picture.h"
#include <cstring>
#include <vector>
#include "resource_data.h"
#include "web/web_addresses.h"

TEST(Resources, IconAt32And16WithAlpha)
{
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(NULL), "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(nullptr, icon) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour = {};
        GetObjectA(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(size, colour.bmWidth);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    // The icon group holds one 32 x 32 image of 32 bits per pixel.
    HRSRC group = FindResourceA(NULL, "DEFAULT_ICON", MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(nullptr, group);
    const unsigned char* dir = static_cast<const unsigned char*>(LockResource(LoadResource(NULL, group)));
    EXPECT_EQ(1, dir[4] | (dir[5] << 8));  // image count
    EXPECT_EQ(32, dir[6]);
    EXPECT_EQ(32, dir[7]);
    EXPECT_EQ(32, dir[12] | (dir[13] << 8));  // bits per pixel
}

TEST(Resources, BannerIsA178By72Jpeg)
{
    ByteBlock jpeg = BannerJpeg();
    ASSERT_GT(jpeg.size, 1000u);
    EXPECT_EQ(0xFF, jpeg.data[0]);
    EXPECT_EQ(0xD8, jpeg.data[1]);
    EXPECT_EQ(0, std::memcmp(jpeg.data + 6, "JFIF", 4));
    int w = 0, h = 0;
    HBITMAP bitmap = DecodeJpeg(jpeg.data, jpeg.size, &w, &h);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(178, w);
    EXPECT_EQ(72, h);
    DeleteObject(bitmap);
    // Not a JPEG, or a truncated one: no bitmap, no crash.
    EXPECT_EQ(nullptr, DecodeJpeg(jpeg.data + 2, jpeg.size - 2, &w, &h));
    EXPECT_EQ(nullptr, DecodeJpeg(jpeg.data, 100, &w, &h));
    EXPECT_EQ(nullptr, DecodeJpeg(nullptr, 0, &w, &h));
}

TEST(Resources, VersionInformationOfTheProgram)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(QELVAN_EXE, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(QELVAN_EXE, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(0x0804, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);
    const std::string url = HOME_PAGE_URL;
    const std::pair<const char*, std::string> fields[] = {
        {"FileVersion", "1.0.1.0"},
        {"ProductVersion", "1.0.1.0"},
        {"ProductName", "Qelvan软件管家"},
        {"FileDescription", "Qelvan软件管家是一款可以方便地进行软件安装、卸载的系统软件。"
                            "它能让您更快、更简单、更舒适的使用和管理软件。" + url},
        {"CompanyName", url},
        {"Comments", url},
        {"LegalCopyright", url},
    };
    for (const auto& field : fields) {
        char* value = nullptr;
        std::string query = std::string("\\StringFileInfo\\080404B0\\") + field.first;
        ASSERT_TRUE(VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << field.first;
        EXPECT_EQ(field.second, std::string(value)) << field.first;
    }
}
