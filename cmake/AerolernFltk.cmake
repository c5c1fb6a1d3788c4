# FLTK 1.3 as the imported target Aerolern::FLTK, filled from what fltk-config reports. Debian's
# own FLTK CMake package file is broken on bookworm, so find_package(FLTK CONFIG) cannot be used.
find_program(AEROLERN_FLTK_CONFIG NAMES fltk-config)
if(NOT AEROLERN_FLTK_CONFIG)
  message(FATAL_ERROR "FLTK 1.3 is missing: no fltk-config (Debian: libfltk1.3-dev, see scripts/deps.sh).")
endif()

function(aerolern_fltk_config option result)
  execute_process(COMMAND ${AEROLERN_FLTK_CONFIG} ${option}
    OUTPUT_VARIABLE output OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${AEROLERN_FLTK_CONFIG} ${option} failed (${status})")
  endif()
  separate_arguments(output UNIX_COMMAND "${output}")
  set(${result} ${output} PARENT_SCOPE)
endfunction()

aerolern_fltk_config(--version AEROLERN_FLTK_VERSION)
if(NOT AEROLERN_FLTK_VERSION MATCHES "^1\\.3\\.")
  message(FATAL_ERROR "FLTK 1.3 is needed, fltk-config reports ${AEROLERN_FLTK_VERSION}.")
endif()

# Runs fltk-config with OPTION and sorts the flags it prints: those starting with PREFIX1 or
# PREFIX2 go, without the prefix, to VAR1 or VAR2, all others to REST.
function(aerolern_fltk_flags option prefix1 var1 prefix2 var2 rest)
  aerolern_fltk_config(${option} flags)
  set(first)
  set(second)
  set(others)
  foreach(flag IN LISTS flags)
    if(flag MATCHES "^${prefix1}(.+)$")
      list(APPEND first ${CMAKE_MATCH_1})
    elseif(flag MATCHES "^${prefix2}(.+)$")
      list(APPEND second ${CMAKE_MATCH_1})
    else()
      list(APPEND others ${flag})
    endif()
  endforeach()
  set(${var1} ${first} PARENT_SCOPE)
  set(${var2} ${second} PARENT_SCOPE)
  set(${rest} ${others} PARENT_SCOPE)
endfunction()

aerolern_fltk_flags(--cxxflags -I includes -D definitions options)
aerolern_fltk_flags(--ldflags -L link_directories -l libraries link_options)

# The folder of FL/*.H comes first. Debian's fltk-config names the folders of cairo, glib and
# others that FLTK was built with, whether or not they are installed; only those that exist are
# kept (an include folder that does not exist is an error for an imported target).
aerolern_fltk_config(--includedir fltk_include_dir)
if(NOT EXISTS "${fltk_include_dir}/FL/Fl.H")
  message(FATAL_ERROR "fltk-config names ${fltk_include_dir} for FLTK's headers, but FL/Fl.H is not there.")
endif()
set(existing ${fltk_include_dir})
foreach(folder IN LISTS includes)
  if(IS_DIRECTORY "${folder}")
    list(APPEND existing ${folder})
  endif()
endforeach()
set(includes ${existing})

foreach(list includes definitions link_directories libraries)
  list(REMOVE_DUPLICATES ${list})
endforeach()

# The include folders of an imported target count as system folders: FLTK's headers are not
# ours to keep free of warnings.
add_library(Aerolern::FLTK INTERFACE IMPORTED)
set_target_properties(Aerolern::FLTK PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${includes}"
  INTERFACE_COMPILE_DEFINITIONS "${definitions}"
  INTERFACE_COMPILE_OPTIONS "${options}"
  INTERFACE_LINK_DIRECTORIES "${link_directories}"
  INTERFACE_LINK_LIBRARIES "${libraries}"
  INTERFACE_LINK_OPTIONS "${link_options}")
message(STATUS "FLTK ${AEROLERN_FLTK_VERSION} from ${AEROLERN_FLTK_CONFIG}")
