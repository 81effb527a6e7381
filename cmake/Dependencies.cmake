# zlib, libjpeg and GoogleTest for the tree being built.
find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
if(NOT WIN32)
  find_package(GTest REQUIRED)
endif()
