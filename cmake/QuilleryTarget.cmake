# Compiler settings shared by every target of ours (never applied to third-party code).

if(MSVC)
  set(QUILLERY_WARNINGS /W4 /WX /utf-8)
else()
  set(QUILLERY_WARNINGS -Wall -Wextra -Wshadow -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 at -O2/-O3 reports a false -Wrestrict inside std::string for "text" + string
    # (GCC bug 105651).
    list(APPEND QUILLERY_WARNINGS -Wno-restrict)
  endif()
endif()

if(QUILLERY_FUZZ)
  set(QUILLERY_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined
                               -fno-sanitize-recover=all -fno-omit-frame-pointer)
elseif(QUILLERY_SANITIZE)
  set(QUILLERY_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                               -fno-omit-frame-pointer)
endif()

# quillery_target_defaults(<target>): warnings as errors, sanitizers where asked for,
# and the static runtime for Windows executables.
function(quillery_target_defaults target)
  target_compile_options(${target} PRIVATE ${QUILLERY_WARNINGS})
  if(QUILLERY_SANITIZER_FLAGS)
    target_compile_options(${target} PRIVATE ${QUILLERY_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${QUILLERY_SANITIZER_FLAGS})
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
    get_target_property(kind ${target} TYPE)
    if(kind STREQUAL "EXECUTABLE" AND MINGW)
      target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
  endif()
endfunction()

# quillery_library(<name> SOURCES ... DEPENDS ...): a static library of one layer, whose
# headers are included by their path from the repository root ("store/database.h").
function(quillery_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  quillery_target_defaults(${name})
endfunction()
