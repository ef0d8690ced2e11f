# Run by CPack on the zip it has just packed, before it checksums the zip and
# copies it out (CPACK_POST_BUILD_SCRIPTS, package.cmake). CPack gives each
# entry the dates, owner and permissions of the file it packs, in the order
# it finds them, and the zip's dates are local times. strip-nondeterminism
# dates every entry at the time of the sources, in UTC, drops the owner,
# keeps only whether a file is executable and sorts the entries: the zip then
# depends on the sources alone.
#
# The time of the sources is SOURCE_DATE_EPOCH when it is set, and otherwise
# the time of the last commit. Sources outside git (an exported tarball) need
# SOURCE_DATE_EPOCH: any fixed time would be a date the sources never had.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(
    COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${CPACK_OVQ2TYX_SOURCE_DIR}
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE git_result ERROR_QUIET)
  if(NOT git_result EQUAL 0)
    message(FATAL_ERROR "${CPACK_OVQ2TYX_SOURCE_DIR} is not a git checkout: "
                        "set SOURCE_DATE_EPOCH to the time of its commit")
  endif()
endif()

find_program(strip_nondeterminism strip-nondeterminism REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(
    COMMAND ${strip_nondeterminism} --type zip --timestamp ${epoch} ${package}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
