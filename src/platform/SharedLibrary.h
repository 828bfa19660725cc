#pragma once
// A shared library opened when it is first needed rather than at start-up, and
// a table of its functions filled from it. The library stays open for the life
// of the process.
#include <stdexcept>
#include <string>

namespace velmora {

// Opens `soname`; throws std::runtime_error starting with `need` ("drawing
// labels needs libcairo") when it cannot be opened.
void* OpenSharedLibrary(const char* soname, const std::string& need);

// The address of `name` in `library`; throws std::runtime_error naming it when
// the library lacks it.
void* SharedLibrarySymbol(void* library, const char* soname, const char* name);

}  // namespace velmora

// Declares the members of a function table: one pointer per name, of the type
// of the function of that name in the library's own header.
#define VELMORA_TABLE_MEMBER(name) decltype(&::name) name = nullptr;
// Fills one member of `table` from `library`.
#define VELMORA_TABLE_LOAD(name) \
  table.name = reinterpret_cast<decltype(table.name)>(::velmora::SharedLibrarySymbol(library, soname, #name));

// The table of a library's FUNCTIONS, filled from `name` (a soname) opened
// now; throws as OpenSharedLibrary does. For a static of the accessor that
// opens the library the first time it is asked for.
#define VELMORA_OPEN_LIBRARY(Table, FUNCTIONS, name, need)      \
  [] {                                                          \
    constexpr const char* soname = name;                        \
    void* library = ::velmora::OpenSharedLibrary(soname, need); \
    Table table;                                                \
    FUNCTIONS(VELMORA_TABLE_LOAD)                               \
    return table;                                               \
  }()
