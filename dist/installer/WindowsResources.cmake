# Gives a Windows program its icons, its version and its manifest.
set(TAVELOR_INSTALLER_DIR ${CMAKE_CURRENT_LIST_DIR})

function(tavelor_windows_resources target description)
  set(TAVELOR_RC_NAME ${target})
  set(TAVELOR_RC_DESCRIPTION ${description})
  set(TAVELOR_RC_ICON ${PROJECT_SOURCE_DIR}/resources/images/tavelor.ico)
  set(TAVELOR_RC_QUIZ_ICON ${PROJECT_SOURCE_DIR}/resources/images/qcm.ico)
  set(TAVELOR_RC_MANIFEST ${TAVELOR_INSTALLER_DIR}/tavelor.manifest)
  configure_file(${TAVELOR_INSTALLER_DIR}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc APPEND PROPERTY OBJECT_DEPENDS
    ${TAVELOR_RC_ICON} ${TAVELOR_RC_QUIZ_ICON} ${TAVELOR_RC_MANIFEST})
endfunction()
