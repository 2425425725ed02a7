# Shared build settings for our own code.
set(VEXA_SYSTEM_LIBS comctl32 msimg32 uxtheme oleaut32 ole32 shell32 odbc32 gdi32 user32 kernel32)

add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _USE_MATH_DEFINES)
add_compile_options(-Wall -Wextra -Wno-missing-field-initializers -Wno-cast-function-type)

# Every program is linked with its sections page-aligned in the file and its debugging information
# moved to <program>.debug beside it (found through a debug link). Wine copies a section into the
# process's private memory unless it can map it from the file, which needs page-aligned sections;
# and the loader loads every section, so the debugging information (48 of vexa.exe's 60 MiB of
# private memory) would be read into each process that runs.
add_link_options(-Wl,--file-alignment=0x1000)
set(CMAKE_CXX_LINK_EXECUTABLE ${CMAKE_CXX_LINK_EXECUTABLE}
    "${CMAKE_OBJCOPY} --only-keep-debug <TARGET> <TARGET>.debug"
    "${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=<TARGET>.debug <TARGET>")

# Warnings are errors in our own code (not in googletest).
function(vexa_warnings target)
  target_compile_options(${target} PRIVATE -Werror)
endfunction()

# vexa_library(name folder [libs...]): a static library of every source in the folder.
# A folder with no sources yet gives an interface library, so dependants can link it already.
function(vexa_library name folder)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.c
       ${CMAKE_SOURCE_DIR}/${folder}/*.S)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    vexa_warnings(${name})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN} ${VEXA_SYSTEM_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN} ${VEXA_SYSTEM_LIBS})
  endif()
endfunction()
