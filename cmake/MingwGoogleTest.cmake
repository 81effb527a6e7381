# GoogleTest for the Windows tree, built from Debian's sources with the cross
# compiler. Only what a test program links is built.
set(TIDEMARK_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest sources (Debian package googletest)")
if(NOT EXISTS "${TIDEMARK_GOOGLETEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${TIDEMARK_GOOGLETEST_SOURCE}; "
                      "run scripts/bootstrap.sh")
endif()

# Windows threads come from the system; there is no pthreads to look for.
set(gtest_disable_pthreads ON)
set(INSTALL_GTEST OFF)
set(BUILD_GMOCK ON)
add_subdirectory("${TIDEMARK_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/_googletest"
                 EXCLUDE_FROM_ALL SYSTEM)

# The win32-threads flavour of MinGW's libstdc++ has no std::mutex, which
# GoogleTest's Notification needs; supply one built on a Win32 call instead.
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest PUBLIC
  "SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/mingw/gtest_notification.h")

# Recent GoogleTest releases define these names themselves.
foreach(_gtest_lib gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${_gtest_lib})
    add_library(GTest::${_gtest_lib} ALIAS ${_gtest_lib})
  endif()
endforeach()
