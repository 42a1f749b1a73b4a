# One sanitizer set per build tree: "address" brings UBSan along, "thread"
# stands alone (the two cannot be combined).
if(VP_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(VP_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT VP_SANITIZE STREQUAL "")
  message(FATAL_ERROR "VP_SANITIZE must be empty, address or thread")
endif()

# Sanitizer builds are for the tests: light optimisation and line tables
# only keep them quick to build while stack traces still name their lines.
if(NOT VP_SANITIZE STREQUAL "")
  set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
endif()
