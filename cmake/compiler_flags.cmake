# Pictures must be bit-identical on every platform: plain IEEE double,
# no fused multiply-add, and SSE2 instead of x87 on 32-bit x86.
add_compile_options(-Wall -Wextra -ffp-contract=off)
# GCC 12 reports impossible overlaps inside std::string concatenation
# (GCC bug 105329); the warning says nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86")
  add_compile_options(-msse2 -mfpmath=sse)
endif()
if(WIN32)
  # No DLL beside the .scr: the runtime goes into every executable.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601)
endif()

set(MIROVANE_SANITIZE "" CACHE STRING "address,undefined | thread | leak (native only)")
if(MIROVANE_SANITIZE)
  add_compile_options(-fsanitize=${MIROVANE_SANITIZE} -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${MIROVANE_SANITIZE})
endif()
