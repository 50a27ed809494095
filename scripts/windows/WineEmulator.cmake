# Cross-built for Windows, the programs run here under Wine: the sample
# quizzes are built by qcmtool.exe and the tests run as Windows programs.
# The build folder gets a Wine prefix and a wrapper that finds the DLLs of
# Qt and of the MinGW runtime where they lie.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(TAVELOR_QT_BIN "${qt_core_dll}" DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
  OUTPUT_VARIABLE libwinpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(TAVELOR_GCC_RUNTIME "${libstdcxx}" DIRECTORY)
get_filename_component(TAVELOR_PTHREAD_RUNTIME "${libwinpthread}" DIRECTORY)
set(TAVELOR_WINEPREFIX "${CMAKE_BINARY_DIR}/wine")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
  @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
