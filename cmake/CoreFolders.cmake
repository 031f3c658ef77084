# The folders of core/, by concern (core/CMakeLists.txt says which is which).
set(dabiro_core_folders base text convert rtf print files ui)
