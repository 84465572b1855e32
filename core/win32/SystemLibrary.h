#pragma once
// Functions of Windows' own DLLs that the program needs only now and then.

// The function `name` of the DLL `dll` from the system folder, loaded when first asked for and
// kept loaded; null when either is missing. Never a static import: the loader looks for those
// beside the executable first, where a planted copy may wait (a program run from Downloads).
// Through a function type without arguments, which GCC lets any function pointer become.
void (*SystemFunction(const wchar_t* dll, const char* name))();
