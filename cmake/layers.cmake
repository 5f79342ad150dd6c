# The layers of the program: one table from which both the link lists of our
# own libraries and the include check (check_layers.cmake) come, so the two
# cannot disagree. Read by the build (src/CMakeLists.txt) and by the check.
#
# One row per library, from the bottom up:
#   <library>  <kind>  <the libraries of ours it may use>
# kind `plain` is plain C++: no Qt, no OpenGL headers. A row may name only
# libraries of rows above it, so the layers never form a loop. A library links
# exactly the libraries it names, and its files may include only its own
# headers and those of the libraries it names. Which files a library holds is
# its source list (headers included), not its folder: moving a folder means
# editing the library's CMakeLists.txt, this table needs no change.
# External libraries (Qt, OpenGL, Eigen) stay in each library's CMakeLists.txt.
# The layers below fitting, which most rows above them may use, and the
# plain floor of fitting that every fitting row stands on.
set(_document_and_below "trelvane_document trelvane_render trelvane_graph trelvane_scene trelvane_state
                         trelvane_formula trelvane_platform")
set(_fitting_floor1 "trelvane_fitting_common trelvane_solver")
set(TRELVANE_LAYERS
  "trelvane_state          plain"
  "trelvane_formula        plain"
  "trelvane_solver         plain  trelvane_formula trelvane_state"
  "trelvane_curvefit_math  plain  trelvane_formula"
  "trelvane_fitting_common plain  trelvane_solver trelvane_formula trelvane_state"
  "trelvane_polyfit_math   plain  trelvane_fitting_common trelvane_solver trelvane_formula"
  "trelvane_platform       qt"
  "trelvane_scene          qt     trelvane_state trelvane_platform"
  "trelvane_graph          qt     trelvane_scene trelvane_state trelvane_formula"
  "trelvane_render         qt     trelvane_graph trelvane_scene trelvane_state trelvane_formula trelvane_platform"
  "trelvane_document       qt     trelvane_render trelvane_graph trelvane_scene trelvane_state trelvane_formula
                                  trelvane_platform"
  "trelvane_fitting_shared qt     ${_fitting_floor1} ${_document_and_below}"
  "trelvane_fit_curve      qt     trelvane_fitting_shared trelvane_curvefit_math ${_fitting_floor1}
                                  ${_document_and_below}"
  "trelvane_fit_nonlinear  qt     trelvane_fitting_shared ${_fitting_floor1} ${_document_and_below}"
  "trelvane_fit_surface    qt     trelvane_fitting_shared ${_fitting_floor1} ${_document_and_below}"
  "trelvane_fit_polynomial qt     trelvane_fitting_shared trelvane_polyfit_math trelvane_curvefit_math
                                  ${_fitting_floor1} ${_document_and_below}"
  "trelvane_app_kit        qt     ${_document_and_below}"
  "trelvane_app_help       qt     ${_document_and_below}"
  "trelvane_app_grid       qt     trelvane_app_kit ${_document_and_below}"
  "trelvane_app_scene_dialogs qt  trelvane_app_kit ${_document_and_below}"
  "trelvane_app_graph_dialogs qt  trelvane_app_kit ${_document_and_below}"
  "trelvane_app            qt     trelvane_app_graph_dialogs trelvane_app_scene_dialogs trelvane_app_grid
                                  trelvane_app_help trelvane_app_kit
                                  trelvane_fit_curve trelvane_fit_nonlinear trelvane_fit_polynomial
                                  trelvane_fit_surface trelvane_fitting_shared trelvane_polyfit_math
                                  trelvane_curvefit_math ${_fitting_floor1} ${_document_and_below}"
  "trelvane                qt     trelvane_app trelvane_platform"
)

# Reads the table into TRELVANE_LAYER_NAMES (bottom up) and, for each library,
# TRELVANE_LAYER_KIND_<lib> and TRELVANE_LAYER_USES_<lib>. A row that names a
# library not above it, or a kind other than plain or qt, is an error.
macro(trelvane_read_layers)
  set(TRELVANE_LAYER_NAMES "")
  foreach(row IN LISTS TRELVANE_LAYERS)
    string(STRIP "${row}" row)
    string(REGEX REPLACE "[ \t\n]+" ";" row "${row}")
    list(POP_FRONT row lib kind)
    if(NOT kind MATCHES "^(plain|qt)$")
      message(FATAL_ERROR "cmake/layers.cmake: ${lib} has the kind '${kind}'; a kind is plain or qt")
    endif()
    foreach(used IN LISTS row)
      if(NOT used IN_LIST TRELVANE_LAYER_NAMES)
        message(FATAL_ERROR "cmake/layers.cmake: ${lib} uses ${used}, which is not a row above it")
      endif()
    endforeach()
    list(APPEND TRELVANE_LAYER_NAMES ${lib})
    set(TRELVANE_LAYER_KIND_${lib} ${kind})
    set(TRELVANE_LAYER_USES_${lib} ${row})
  endforeach()
endmacro()

# The build's side: each library of the table that this build makes links the
# libraries its row names, and OWNERS_FILE records which files each library
# holds (its source list, paths relative to src_dir) for the include check.
# Call once, after every library is made.
function(trelvane_link_layers src_dir owners_file)
  trelvane_read_layers()
  set(text "# Written by the build from the libraries' source lists: which files each library holds.\n")
  set(complete TRUE)
  foreach(lib IN LISTS TRELVANE_LAYER_NAMES)
    if(NOT TARGET ${lib})
      set(complete FALSE)
      continue()
    endif()
    get_target_property(type ${lib} TYPE)
    set(scope PUBLIC)
    if(type STREQUAL "EXECUTABLE")
      set(scope PRIVATE)
    endif()
    foreach(used IN LISTS TRELVANE_LAYER_USES_${lib})
      if(NOT TARGET ${used})
        message(FATAL_ERROR "${lib} uses ${used}, which this build does not make")
      endif()
    endforeach()
    if(TRELVANE_LAYER_USES_${lib})
      target_link_libraries(${lib} ${scope} ${TRELVANE_LAYER_USES_${lib}})
    endif()
    get_target_property(dir ${lib} SOURCE_DIR)
    get_target_property(sources ${lib} SOURCES)
    set(files "")
    foreach(s IN LISTS sources)
      if(NOT s MATCHES "\\.(h|cpp)$")
        continue()
      endif()
      if(NOT IS_ABSOLUTE "${s}")
        set(s "${dir}/${s}")
      endif()
      file(RELATIVE_PATH s "${src_dir}" "${s}")
      if(NOT s MATCHES "^\\.\\./")
        list(APPEND files "${s}")
      endif()
    endforeach()
    list(SORT files)
    list(REMOVE_DUPLICATES files)
    string(APPEND text "set(layer_files_${lib} \"${files}\")\n")
  endforeach()
  string(APPEND text "set(layer_complete ${complete})\n")
  # Rewritten only when it changes, so the check reruns only when it must.
  file(WRITE "${owners_file}.new" "${text}")
  configure_file("${owners_file}.new" "${owners_file}" COPYONLY)
endfunction()
