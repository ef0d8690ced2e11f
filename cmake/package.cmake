# Release packaging: the Windows version resource and manifest, install rules
# and the CPack ZIP for Windows users, made reproducible; the program and its
# man page for Linux. Everything takes its version from project(... VERSION
# ...).
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

  # The project's licence, and the notices of the runtime libraries linked
  # into the exe, which ask to travel with every copy.
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${package_binary}/LICENSE.txt
                 @ONLY NEWLINE_STYLE CRLF)
  configure_file(${package_source}/THIRD-PARTY-NOTICES.txt
                 ${package_binary}/THIRD-PARTY-NOTICES.txt
                 @ONLY NEWLINE_STYLE CRLF)

  # The exe is linked stripped, and the tests run on it. Its debug
  # information, with line numbers of our code, stays in the build folder
  # for crash analysis: ovq2tyx.debug, which the exe names in a debug link
  # (cmake/split-debug.cmake, run as part of each link). So that two builds
  # of one commit give the same bytes, the exe holds no link time and the
  # debug information no folder of the build: its paths are relative to the
  # top of the sources (src/menu/report.cpp), as a debugger is pointed at.
  foreach(target ovq2tyx ${OVQ2TYX_LIBRARIES})
    get_target_property(compiled_in ${target} BINARY_DIR)
    target_compile_options(${target} PRIVATE -g
      -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
      -ffile-prefix-map=${compiled_in}=.)
  endforeach()
  set(split_debug ${PROJECT_SOURCE_DIR}/cmake/split-debug.cmake)
  target_link_options(ovq2tyx PRIVATE -Wl,--no-insert-timestamp)
  set_target_properties(ovq2tyx PROPERTIES
    CXX_LINKER_LAUNCHER
      "${CMAKE_COMMAND};-DOBJCOPY=${CMAKE_OBJCOPY};-P;${split_debug};--"
    LINK_DEPENDS ${split_debug})

  # Users unpack the zip into their menu folder or next to it: everything
  # sits at the top, with the sample menus in a folder of their own.
  install(TARGETS ovq2tyx RUNTIME DESTINATION .)
  install(FILES ${package_binary}/README.txt
                ${package_binary}/お読みください.txt
                ${package_binary}/LICENSE.txt
                ${package_binary}/THIRD-PARTY-NOTICES.txt
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
  # cmake/reproducible-zip.cmake fixes the entries' dates, owners and order;
  # then CPack writes <zip>.sha256 beside the zip, for `sha256sum -c`.
  set(CPACK_POST_BUILD_SCRIPTS
      ${PROJECT_SOURCE_DIR}/cmake/reproducible-zip.cmake)
  set(CPACK_OVQ2TYX_SOURCE_DIR ${PROJECT_SOURCE_DIR})
  set(CPACK_PACKAGE_CHECKSUM SHA256)
  include(CPack)

  # Checks of the zip, which the release workflow packs before it tests
  # (scripts/check-package). "reproducible" builds the program twice more.
  foreach(name contents licences stripped_exe readme_tags version_resource
               reproducible)
    add_test(NAME package/${name}
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-package
                     ${PROJECT_BINARY_DIR} ${name})
    set_tests_properties(package/${name} PROPERTIES LABELS package)
  endforeach()
  # Sources outside git have no commit to build again.
  set_tests_properties(package/reproducible PROPERTIES SKIP_RETURN_CODE 77)
else()
  include(GNUInstallDirs)
  configure_file(${package_source}/ovq2tyx.1.in ${package_binary}/ovq2tyx.1
                 @ONLY)
  install(TARGETS ovq2tyx RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${package_binary}/ovq2tyx.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  add_test(NAME package/linux_install
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-package
                   ${PROJECT_BINARY_DIR} linux_install)
  set_tests_properties(package/linux_install PROPERTIES LABELS package)
endif()
