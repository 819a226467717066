#pragma once
// Functions of system DLLs that the program calls only on some paths, found
// when first needed rather than imported: loading shell32 and ole32 costs
// every start, and most starts never call them. Only from the system folder,
// never from beside the program.

#include <windows.h>

namespace tarq::platform::win32 {

// The function `name` of the system DLL `library`, nullptr when it has none.
// The DLL stays loaded.
template <typename Fn>
Fn SystemFunction(const wchar_t* library, const char* name) {
  const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // A function pointer from GetProcAddress has to be cast to its real type.
  return module == nullptr
             ? nullptr
             : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tarq::platform::win32
