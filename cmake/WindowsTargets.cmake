# Settings shared by every Windows program: ANSI API, static runtime, and
# the API of Windows 95 and NT 4.0, the oldest systems the programs serve.
add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0300 NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)

# The GUI programs and the tests that create windows link these system DLLs.
set(DABIRO_WIN_LIBS comctl32 comdlg32 gdi32 user32 shell32 advapi32 winspool)

# Release programs carry no symbols.
if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  add_link_options(-s)
endif()
