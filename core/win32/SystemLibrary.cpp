#include "core/win32/SystemLibrary.h"

#include <windows.h>

void (*SystemFunction(const wchar_t* dll, const char* name))() {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return nullptr;
    return reinterpret_cast<void (*)()>(GetProcAddress(module, name));
}
