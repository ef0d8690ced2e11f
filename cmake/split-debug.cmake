# Links the Windows program, then moves its debug information out of it:
#   cmake -DOBJCOPY=<objcopy> -P split-debug.cmake -- <link command>
# (the program's CXX_LINKER_LAUNCHER, package.cmake). The program named by
# the link command's -o is left stripped, with a debug link to <name>.debug
# beside it; the link carries the debug file's checksum. Being part of the
# link, the split happens exactly once for every program linked.
set(link "")
set(output "")
set(previous "")
set(in_link FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  set(argument "${CMAKE_ARGV${i}}")
  if(in_link)
    list(APPEND link "${argument}")
    if(previous STREQUAL "-o")
      set(output "${argument}")
    endif()
    set(previous "${argument}")
  elseif(argument STREQUAL "--")
    set(in_link TRUE)
  endif()
endforeach()
if(output STREQUAL "")
  message(FATAL_ERROR "split-debug: the link command names no -o output")
endif()
string(REGEX REPLACE "\\.exe$" ".debug" debug "${output}")

execute_process(COMMAND ${link} COMMAND_ERROR_IS_FATAL ANY)
# objcopy stamps the time of day into the files it writes unless
# SOURCE_DATE_EPOCH says otherwise: 0 keeps the linker's none.
set(ENV{SOURCE_DATE_EPOCH} 0)
execute_process(COMMAND ${OBJCOPY} --only-keep-debug ${output} ${debug}
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND ${OBJCOPY} --strip-all --add-gnu-debuglink=${debug} ${output}
  COMMAND_ERROR_IS_FATAL ANY)
