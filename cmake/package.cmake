# Release packaging: the Windows version resource and manifest, install rules
# and the CPack ZIP for Windows users; the program and its man page for Linux.
# Everything takes its version from project(... VERSION ...).
set(OVQ2TYX_COPYRIGHT "Copyright (C) 2026 the ovq2tyx authors")
set(OVQ2TYX_DESCRIPTION "Converts old launcher menus into .tyx menus")

set(package_source ${PROJECT_SOURCE_DIR}/package)
set(package_binary ${PROJECT_BINARY_DIR}/package)

if(WIN32)
  enable_language(RC)
  # The .rc includes the manifest by a path relative to itself, so both are
  # generated into the same folder.
  configure_file(${package_source}/ovq2tyx.manifest.in
                 ${package_binary}/ovq2tyx.manifest @ONLY)
  configure_file(${package_source}/ovq2tyx.rc.in
                 ${package_binary}/ovq2tyx.rc @ONLY)
  set(OVQ2TYX_RESOURCE ${package_binary}/ovq2tyx.rc)

  # The user readmes are kept as UTF-8 with LF in git, so that they diff and
  # review like any other text. Users get CRLF, and the Japanese one in code
  # page 932, which Notepad on a Japanese system opens without asking.
  # iconv refuses any character code page 932 lacks, which stops the build.
  configure_file(${package_source}/README.txt.in
                 ${package_binary}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${package_source}/README.ja.txt.in
                 ${package_binary}/README.ja.utf8.txt @ONLY NEWLINE_STYLE CRLF)
  find_program(OVQ2TYX_ICONV iconv REQUIRED)
  execute_process(
    COMMAND ${OVQ2TYX_ICONV} -f UTF-8 -t CP932
            ${package_binary}/README.ja.utf8.txt
    OUTPUT_FILE ${package_binary}/お読みください.txt
    RESULT_VARIABLE iconv_result)
  if(NOT iconv_result EQUAL 0)
    message(FATAL_ERROR "README.ja.txt.in does not fit code page 932")
  endif()

  # Users unpack the zip into their menu folder or next to it: everything
  # sits at the top, with the sample menus in a folder of their own.
  install(TARGETS ovq2tyx RUNTIME DESTINATION .)
  install(FILES ${package_binary}/README.txt
                ${package_binary}/お読みください.txt
          DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION samples)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_VENDOR "the ovq2tyx authors")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${OVQ2TYX_DESCRIPTION}")
  # CPack would call a MinGW build "win32": only MSVC's 64-bit build is
  # recognised as such.
  set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-win64")
  # "Extract All" already makes a folder named after the zip.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)

  # Checks of the zip, which the release workflow packs before it tests
  # (scripts/check-package; needs unzip, icoutils, groff-base and man-db).
  # The Linux build they compare against is made once, first.
  set(check ${PROJECT_SOURCE_DIR}/scripts/check-package ${PROJECT_BINARY_DIR})
  add_test(NAME package/linux_build COMMAND ${check} linux_build)
  set_tests_properties(package/linux_build PROPERTIES
    LABELS package FIXTURES_SETUP linux_build)
  foreach(name file_list readmes version_resource same_conversion_under_wine
               linux_install)
    add_test(NAME package/${name} COMMAND ${check} ${name})
    set_tests_properties(package/${name} PROPERTIES
      LABELS package FIXTURES_REQUIRED linux_build)
  endforeach()
  # Wine's prefix is made by the tests' first, alone (tests/CMakeLists.txt).
  set_tests_properties(package/same_conversion_under_wine PROPERTIES
    FIXTURES_REQUIRED "linux_build;wine_prefix")
else()
  include(GNUInstallDirs)
  configure_file(${package_source}/ovq2tyx.1.in ${package_binary}/ovq2tyx.1
                 @ONLY)
  install(TARGETS ovq2tyx RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${package_binary}/ovq2tyx.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
