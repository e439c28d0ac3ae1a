# Delay-loaded system libraries.
#
# Under Wine, loading user32 starts the display driver (about 0.15 s) even
# when no window is ever made, and gdi32, shell32, ole32 and the others pull
# user32 in. A run that shows nothing (unattended) should not pay for that, so
# these libraries are linked through delay-import libraries: each is loaded
# by the first call into it, not at process start.
#
# GNU ld has no /DELAYLOAD switch, so the delay-import libraries are made here
# with dlltool from the toolchain's own import libraries: their __imp_ symbols
# are every function the library exports, which keeps the list complete
# without a hand-kept copy (a function added later is delayed too).
#
# setup32_delay_import_libs(<out-var> <dll>...) sets <out-var> to the paths of
# the libraries made, one per dll ("user32.dll", "winspool.drv", ...).

function(setup32_delay_import_libs out_var)
  set(out_dir ${CMAKE_BINARY_DIR}/delayimp)
  file(MAKE_DIRECTORY ${out_dir})
  if(NOT CMAKE_NM OR NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "delay imports: the toolchain's nm and dlltool were not found")
  endif()
  # 32-bit import names carry a leading underscore and, for stdcall, "@N";
  # dlltool -k imports them by the plain name the DLL exports.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(prefix_re "^__imp__")
    set(kill_at -k)
  else()
    set(prefix_re "^__imp_")
    set(kill_at)
  endif()

  set(libs)
  foreach(dll IN LISTS ARGN)
    get_filename_component(name ${dll} NAME_WE)
    string(TOLOWER ${name} name)
    find_library(SETUP32_IMPLIB_${name} NAMES lib${name}.a)
    if(NOT SETUP32_IMPLIB_${name})
      message(FATAL_ERROR "delay imports: no import library lib${name}.a")
    endif()
    set(implib ${SETUP32_IMPLIB_${name}})
    set(def ${out_dir}/${name}.def)
    set(lib ${out_dir}/lib${name}_delay.a)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${implib})

    if(NOT EXISTS ${lib} OR ${implib} IS_NEWER_THAN ${lib})
      execute_process(COMMAND ${CMAKE_NM} ${implib} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc ERROR_QUIET)
      if(NOT rc EQUAL 0)
        message(FATAL_ERROR "delay imports: ${CMAKE_NM} ${implib} failed")
      endif()
      # A function has both its code stub (T) and its pointer (I __imp_); an
      # export with only the pointer is data, which cannot be delay-loaded.
      string(REGEX MATCHALL "[ \t]T [^\r\n]+" code "${symbols}")
      string(REGEX MATCHALL "[ \t]I __imp_[^\r\n]+" pointers "${symbols}")
      set(stubs)
      foreach(line IN LISTS code)
        string(REGEX REPLACE "^[ \t]T " "" sym "${line}")
        list(APPEND stubs "${sym}")
      endforeach()
      set(exports)
      foreach(line IN LISTS pointers)
        string(REGEX REPLACE "^[ \t]I " "" imp "${line}")
        string(REGEX REPLACE "^__imp_" "" sym "${imp}")
        if(NOT sym IN_LIST stubs)
          continue()
        endif()
        string(REGEX REPLACE "${prefix_re}" "" export "${imp}")
        list(APPEND exports "${export}")
      endforeach()
      list(REMOVE_DUPLICATES exports)
      list(LENGTH exports count)
      if(count EQUAL 0)
        message(FATAL_ERROR "delay imports: no functions found in ${implib}")
      endif()
      list(JOIN exports "\n" body)
      file(WRITE ${def} "LIBRARY \"${dll}\"\nEXPORTS\n${body}\n")
      execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${def} --dllname ${dll}
                              --output-delaylib ${lib}
                      RESULT_VARIABLE rc)
      if(NOT rc EQUAL 0)
        file(REMOVE ${lib})
        message(FATAL_ERROR "delay imports: ${CMAKE_DLLTOOL} failed for ${dll}")
      endif()
    endif()
    list(APPEND libs ${lib})
  endforeach()
  set(${out_var} ${libs} PARENT_SCOPE)
endfunction()
