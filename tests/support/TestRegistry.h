#pragma once
// Throw-away registry keys under HKEY_LOCAL_MACHINE\Software in the 32-bit
// view, where the program looks for the simulator's keys.
#include <string>

#include <windows.h>

namespace twtest {

// Creates the key (and its parents) and sets a value of the given type; the
// value is the text with its terminating NUL.
void setRegistryValue(const std::wstring& keyPath, const wchar_t* name, const std::wstring& value,
                      DWORD type = REG_SZ, HKEY root = HKEY_LOCAL_MACHINE);

// Removes <root>\Software\<name> and everything below it.
void removeSoftwareKey(const std::wstring& name, HKEY root = HKEY_LOCAL_MACHINE);

} // namespace twtest
