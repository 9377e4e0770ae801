# SPDX-License-Identifier: MIT
# Compiles "#include FORBIDDEN" and "#include ALLOWED" with the include directories and
# definitions in FLAGS.includes and FLAGS.definitions (less the compiler's implicit ones, listed
# in IMPLICIT). Passes when only the forbidden header is not found.
file(READ ${FLAGS}.includes includes)
file(READ ${FLAGS}.definitions definitions)
file(READ ${IMPLICIT} implicit)
list(REMOVE_DUPLICATES includes)
list(REMOVE_ITEM includes ${implicit})
list(TRANSFORM includes PREPEND -I)
list(TRANSFORM definitions PREPEND -D)
file(MAKE_DIRECTORY ${WORK})

function(compile header result error)
  string(MAKE_C_IDENTIFIER ${header} stem)
  set(source ${WORK}/${stem}.cpp)
  file(WRITE ${source} "#include \"${header}\"\n")
  execute_process(
    COMMAND ${COMPILER} ${STANDARD} -fPIC -fsyntax-only ${definitions} ${includes} ${source}
    RESULT_VARIABLE code ERROR_VARIABLE output OUTPUT_QUIET)
  set(${result} ${code} PARENT_SCOPE)
  set(${error} "${output}" PARENT_SCOPE)
endfunction()

compile(${ALLOWED} code output)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${ALLOWED} should compile, but:\n${output}")
endif()

compile(${FORBIDDEN} code output)
string(REPLACE "." "\\." pattern ${FORBIDDEN})
# GCC and Clang word a missing header differently.
if(code EQUAL 0 OR NOT output MATCHES "${pattern}(: No such file or directory|' file not found)")
  message(FATAL_ERROR "${FORBIDDEN} should not be found, but:\n${output}")
endif()
