# What `cmake --install` of the native tree puts under its prefix, and the
# packages CPack makes of it (scripts/package.sh builds both trees first):
#   bin/tidemark                          the packer
#   share/tidemark/tidemark-stub.exe      the bare stub, from the Windows tree
#   share/tidemark/cmake/                 find_package(Tidemark) and the
#                                         CPack External generator script
#   share/doc/tidemark/                   the reference
#   share/man/man1/tidemark.1             the manual page
# The packer finds the stub at ../share/tidemark from its own folder, so the
# two places move together.
include(GNUInstallDirs)

set(TIDEMARK_INSTALL_STUB "${CMAKE_BINARY_DIR}/../win/bin/tidemark-stub.exe"
    CACHE FILEPATH "the bare stub that the installation carries (built by the Windows tree)")

install(TARGETS tidemark RUNTIME DESTINATION bin)
install(CODE "
  if(NOT EXISTS \"${TIDEMARK_INSTALL_STUB}\")
    message(FATAL_ERROR \"The stub ${TIDEMARK_INSTALL_STUB} is missing: build the Windows \"
                        \"tree first (scripts/package.sh builds both trees), or configure this \"
                        \"one with -DTIDEMARK_INSTALL_STUB=PATH.\")
  endif()")
install(FILES "${TIDEMARK_INSTALL_STUB}" DESTINATION share/tidemark)

include(CMakePackageConfigHelpers)
write_basic_package_version_file("${CMAKE_BINARY_DIR}/TidemarkConfigVersion.cmake"
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES cmake/package/TidemarkConfig.cmake cmake/package/TidemarkCPack.cmake
              "${CMAKE_BINARY_DIR}/TidemarkConfigVersion.cmake"
        DESTINATION share/tidemark/cmake)
install(FILES docs/product-file.md docs/building-in-ci.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES docs/tidemark.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME tidemark)
set(CPACK_PACKAGE_VENDOR "Tidemark")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "builds self-extracting installers for Windows programs")
set(CPACK_PACKAGE_CONTACT "Tidemark developers <tidemark@localhost>")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The packer's own libraries, as Debian 12 names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libstdc++6 (>= 12), zlib1g, libjpeg62-turbo, libdeflate0")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tidemark writes one executable that holds a Windows installer and the product it\n installs.")
set(CPACK_STRIP_FILES ON)
include(CPack)
