# Source collection rules shared by every folder of the project.
#
# A source file whose name ends in "_win.cpp" (or "_win.c") talks to Win32 and is built only
# for Windows; every other source file is portable: it includes no <windows.h> and is built
# in the native preset as well.

# quill_collect(DIR PORTABLE_VAR WIN_VAR): the portable and the Win32 sources below DIR.
function(quill_collect dir portable_var win_var)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  set(portable)
  set(win)
  foreach(f IN LISTS all)
    if(f MATCHES "_win\\.(cpp|c)$")
      list(APPEND win ${f})
    else()
      list(APPEND portable ${f})
    endif()
  endforeach()
  set(${portable_var} ${portable} PARENT_SCOPE)
  set(${win_var} ${win} PARENT_SCOPE)
endfunction()

# quill_library(NAME SOURCES...): a static library, or an interface library while a folder
# has no sources yet, so that targets can link it either way.
function(quill_library name)
  if(ARGN)
    add_library(${name} STATIC ${ARGN})
    set(${name}_KIND PUBLIC PARENT_SCOPE)
  else()
    add_library(${name} INTERFACE)
    set(${name}_KIND INTERFACE PARENT_SCOPE)
  endif()
endfunction()

# The Win32 system libraries the library calls; a static program names them itself.
set(QUILL_WIN32_LIBS user32 gdi32 kernel32 comctl32 comdlg32 winspool shell32 advapi32 winmm ole32 uuid)

# The library's own resources (icon and so on), linked into every Windows program and test.
set(QUILL_LIBRARY_RC ${CMAKE_SOURCE_DIR}/resources/quillamorph.rc)

# quill_program(NAME RC_FILE SOURCES...): a Windows GUI program linked with the whole library.
function(quill_program name rc)
  add_executable(${name} WIN32 ${ARGN} ${rc} ${QUILL_LIBRARY_RC})
  target_link_libraries(${name} PRIVATE quill)
endfunction()
