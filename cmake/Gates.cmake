# Build gates: warnings as errors, and the sanitizer builds.
#
# HV_WERROR=ON turns every warning into an error (CI builds this way; developers' builds keep
# warnings as warnings).
# HV_SANITIZE=address,undefined or HV_SANITIZE=thread builds the libraries, the programs the
# tests start and the tests with that sanitizer, at -O1 with frame pointers for readable stacks.
# Each program then carries its sanitizer's default options (cmake/SanitizerDefaults.cpp), so
# a run from CTest, from a test's QProcess or from a shell behaves the same; ASAN_OPTIONS and
# the like still override them. The compiler defines __SANITIZE_ADDRESS__ and
# __SANITIZE_THREAD__ for the tests that cannot run under a sanitizer.

option(HV_WERROR "Treat compiler warnings as errors" OFF)
set(HV_SANITIZE "" CACHE STRING "Sanitizers to build with: address,undefined or thread")

if(HV_WERROR)
  add_compile_options(-Werror)
endif()

if(HV_SANITIZE)
  if(NOT HV_SANITIZE MATCHES "^(address|undefined|thread)(,(address|undefined|thread))*$")
    message(FATAL_ERROR "HV_SANITIZE: a comma-separated list of address, undefined, thread")
  endif()
  if(HV_SANITIZE MATCHES "thread" AND HV_SANITIZE MATCHES "address")
    message(FATAL_ERROR "HV_SANITIZE: ThreadSanitizer cannot be combined with AddressSanitizer")
  endif()
  # After the build type's -O2, so -O1 wins.
  add_compile_options(-fsanitize=${HV_SANITIZE} -O1 -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${HV_SANITIZE})
  set(HV_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)
  set(HV_TSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/tsan.supp)
  set(HV_SANITIZER_DEFAULTS ${PROJECT_BINARY_DIR}/SanitizerDefaults.cpp)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp.in ${HV_SANITIZER_DEFAULTS} @ONLY)
endif()

# hv_sanitizer_defaults(): gives every program defined so far in this source tree the
# sanitizer's default options. Called once, after the last add_subdirectory.
function(hv_sanitizer_defaults)
  if(NOT HV_SANITIZE)
    return()
  endif()
  set(dirs ${PROJECT_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_sources(${target} PRIVATE ${HV_SANITIZER_DEFAULTS})
      endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
  endwhile()
endfunction()
