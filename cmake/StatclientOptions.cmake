# Compiler settings shared by every target of the project.

# statclient_project_target(<target>): warnings as errors and, when asked, the sanitizers.
function(statclient_project_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

if(STATCLIENT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

option(STATCLIENT_TSAN "Build everything with ThreadSanitizer (not with STATCLIENT_SANITIZE)" OFF)
if(STATCLIENT_TSAN)
  if(STATCLIENT_SANITIZE)
    message(FATAL_ERROR "STATCLIENT_TSAN and STATCLIENT_SANITIZE cannot be combined")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

if(STATCLIENT_BUILD_FUZZ)
  # Coverage for the fuzzers in everything they reach; the fuzz targets add libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

set(CMAKE_CXX_VISIBILITY_PRESET default)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
