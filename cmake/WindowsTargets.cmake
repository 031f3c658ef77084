# Settings shared by every Windows program: ANSI API, static runtime, and
# the API of Windows 95 and NT 4.0, the oldest systems the programs serve.
add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0300 NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)

# The 32-bit programs are for the 486, runtime included: the compilers
# default to the Pentium Pro, and so were Debian's runtime libraries built.
# scripts/runtime-i486.sh builds the runtime again for the 486 into
# DABIRO_RUNTIME_I486; the driver takes start-up files and libraries from
# there first (-B).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(DABIRO_RUNTIME_I486 "" CACHE PATH "The 486 runtime built by scripts/runtime-i486.sh")
  if(NOT EXISTS "${DABIRO_RUNTIME_I486}/lib/stamp")
    message(FATAL_ERROR "No 486 runtime in \"${DABIRO_RUNTIME_I486}\": "
                        "run scripts/runtime-i486.sh ${DABIRO_RUNTIME_I486}")
  endif()
  add_compile_options(-march=i486)
  add_link_options(-B${DABIRO_RUNTIME_I486}/lib/)
  # Each program's link map beside it tells tools/check_instructions.py
  # where its code lies and which object each part comes from.
  add_link_options(
    -Wl,-Map=$<TARGET_PROPERTY:RUNTIME_OUTPUT_DIRECTORY>/$<TARGET_PROPERTY:NAME>.map)
endif()

# The GUI programs and the tests that create windows link these system DLLs.
set(DABIRO_WIN_LIBS comctl32 comdlg32 gdi32 user32 shell32 advapi32 winspool)

# Release programs carry no symbols.
if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  add_link_options(-s)
endif()
