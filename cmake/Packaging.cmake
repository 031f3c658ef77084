# One ZIP per architecture: the programs, the two font files, the user's
# README and the font licence, all in the archive's top folder.
install(TARGETS Dabiro dabiro-convert RUNTIME DESTINATION .)
if(TARGET fontsetup)
  install(TARGETS fontsetup RUNTIME DESTINATION .)
endif()
install(FILES ${CMAKE_BINARY_DIR}/bin/pfont95.ttf ${CMAKE_BINARY_DIR}/bin/pfontnt.ttf
              ${PROJECT_SOURCE_DIR}/packaging/README.txt ${PROJECT_SOURCE_DIR}/font/OFL.txt
        DESTINATION .)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(packageArchitecture win64)
else()
  set(packageArchitecture win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Dabiro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Dabiro-${PROJECT_VERSION}-${packageArchitecture})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
