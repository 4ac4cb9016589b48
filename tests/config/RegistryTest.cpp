#include <gtest/gtest.h>

#include <windows.h>

#include "config/Registry.h"
#include "platform/Errors.h"
#include "support/TestRegistry.h"

using namespace tw;

namespace {

// A throw-away key under HKEY_LOCAL_MACHINE in the 32-bit view, removed afterwards.
class RegistryTest : public ::testing::Test {
protected:
    const std::wstring parent = L"Software\\TrackwendTests";
    const std::wstring keyPath = parent + L"\\Folder";

    void TearDown() override { twtest::removeSoftwareKey(L"TrackwendTests"); }

    HKEY createKey() {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    void setString(const wchar_t* name, const std::wstring& value) {
        HKEY key = createKey();
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
};

} // namespace

TEST_F(RegistryTest, AbsentKeyGivesTheStandInTexts) {
    EXPECT_FALSE(readRegistryFolder(keyPath, L"EXE Path").keyExists);
    EXPECT_EQ(simulatorFolderText(keyPath), L"< ERREUR : MSTS ne semble pas install\u00E9 sur cette machine. >");
    const RegistryFolder store = trainStoreFolder(keyPath);
    EXPECT_FALSE(store.keyExists);
    EXPECT_EQ(store.folder, L"Train Store non trouv\u00E9");
}

TEST_F(RegistryTest, KeyWithoutValueGivesEmptyText) {
    RegCloseKey(createKey());
    EXPECT_EQ(simulatorFolderText(keyPath), L"");
    const RegistryFolder store = trainStoreFolder(keyPath);
    EXPECT_TRUE(store.keyExists);
    EXPECT_EQ(store.folder, L"");
}

TEST_F(RegistryTest, StringValuesComeBackExactly) {
    setString(L"EXE Path", L"C:\\Program Files\\Jeux\\Train Simulator");
    setString(L"Store Path", L"D:\\Store \u00E9t\u00E9");
    EXPECT_EQ(simulatorFolderText(keyPath), L"C:\\Program Files\\Jeux\\Train Simulator");
    const RegistryFolder store = trainStoreFolder(keyPath);
    EXPECT_TRUE(store.keyExists);
    EXPECT_EQ(store.folder, L"D:\\Store \u00E9t\u00E9");

    // An expandable string comes back expanded.
    twtest::setRegistryValue(keyPath, L"EXE Path", L"%SystemRoot%\\Train Simulator", REG_EXPAND_SZ);
    wchar_t root[MAX_PATH] = {};
    GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
    EXPECT_EQ(simulatorFolderText(keyPath), std::wstring(root) + L"\\Train Simulator");
}

TEST_F(RegistryTest, ValueWithoutTerminatorIsNotOverread) {
    HKEY key = createKey();
    const wchar_t data[] = {L'C', L':', L'\\', L'X'};
    RegSetValueExW(key, L"EXE Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof(data));
    RegCloseKey(key);
    EXPECT_EQ(simulatorFolderText(keyPath), L"C:\\X");
}

TEST_F(RegistryTest, NonTextValueThrowsNamingTheValue) {
    HKEY key = createKey();
    const DWORD number = 5;
    RegSetValueExW(key, L"Store Path", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    RegCloseKey(key);
    try {
        trainStoreFolder(keyPath);
        FAIL() << "a DWORD value should be refused";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), L"Invalid data type for 'Store Path'");
    }
}
