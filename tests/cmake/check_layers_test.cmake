cmake_minimum_required(VERSION 3.25)
# cmake -DREPO=<source tree> -DOWNERS=<the build's layer_owners.cmake> -DWORK=<scratch folder> -P check_layers_test.cmake
# The layer check itself: a small tree that keeps the layers passes, and each
# forbidden include, added alone, fails it with a message naming the file and
# the include. The real tree passes.
set(check ${REPO}/cmake/check_layers.cmake)
set(failures "")

# Runs the check on tree `dir` with the owners file `owners`; sets rc and out.
function(run_check dir owners)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${dir} -DOWNERS=${owners} -P ${check}
                  RESULT_VARIABLE r OUTPUT_VARIABLE o ERROR_VARIABLE e)
  set(rc "${r}" PARENT_SCOPE)
  string(REGEX REPLACE "[ \t\r\n]+" " " all "${o}${e}")
  set(out "${all}" PARENT_SCOPE)
endfunction()

# The small tree: file|line|line... Two libraries share fitting/curve, as the
# curve maths and the curve fitting dialog do, told apart by their files only.
set(tree
  "state/globals.h|#include <string>"
  "formula/cls6.h|#include <vector>"
  "platform/msgbox.h|#include <QString>"
  "scene/box.h|#include \"state/globals.h\"|#include <GL/gl.h>"
  "graph/graph.h|#include \"scene/box.h\"|#include <formula/cls6.h>"
  "app/main_window.h|#include <QMainWindow>|#include \"graph/graph.h\""
  "fitting/common/fit_options.h|#include \"formula/cls6.h\""
  "fitting/curve/curve_models.h|#include <string>"
  "fitting/curve/curve_models.cpp|#include \"fitting/curve/curve_models.h\"|#include \"formula/cls6.h\""
  "fitting/curve/curve_fit_dialog.h|#include <QDialog>|#include \"curve_models.h\"|#include \"graph/graph.h\""
  "fitting/polynomial/polynomial_models.cpp|#include \"fitting/common/fit_options.h\"|#include <cmath>")
set(owners_text
  "set(layer_files_trelvane_state state/globals.h)\n"
  "set(layer_files_trelvane_formula formula/cls6.h)\n"
  "set(layer_files_trelvane_platform platform/msgbox.h)\n"
  "set(layer_files_trelvane_scene scene/box.h)\n"
  "set(layer_files_trelvane_graph graph/graph.h)\n"
  "set(layer_files_trelvane_app app/main_window.h)\n"
  "set(layer_files_trelvane_fitting_common fitting/common/fit_options.h)\n"
  "set(layer_files_trelvane_curvefit_math fitting/curve/curve_models.h fitting/curve/curve_models.cpp)\n"
  "set(layer_files_trelvane_fit_curve fitting/curve/curve_fit_dialog.h)\n"
  "set(layer_files_trelvane_polyfit_math fitting/polynomial/polynomial_models.cpp)\n"
  "set(layer_complete TRUE)\n")

function(write_tree dir)
  file(REMOVE_RECURSE ${dir})
  foreach(entry IN LISTS tree)
    string(REPLACE "|" ";" lines "${entry}")
    list(POP_FRONT lines path)
    list(JOIN lines "\n" text)
    file(WRITE ${dir}/${path} "${text}\n")
  endforeach()
  file(WRITE ${dir}/owners.cmake ${owners_text})
endfunction()

write_tree(${WORK}/clean)
run_check(${WORK}/clean ${WORK}/clean/owners.cmake)
if(NOT rc EQUAL 0)
  list(APPEND failures "the small tree that keeps the layers fails the check: ${out}")
endif()

# file|the line added to it|what the message must say
set(cases
  "scene/box.h|#include <app/main_window.h>|scene/box.h: #include <app/main_window.h> is of trelvane_app, which trelvane_scene may not use"
  "scene/box.h|#include \"app/main_window.h\"|scene/box.h: #include \"app/main_window.h\" is of trelvane_app"
  "fitting/curve/curve_models.cpp|#include \"graph/graph.h\"|fitting/curve/curve_models.cpp: #include \"graph/graph.h\" is of trelvane_graph, which trelvane_curvefit_math may not use"
  "fitting/curve/curve_models.h|#include \"fitting/common/fit_options.h\"|fitting/curve/curve_models.h: #include \"fitting/common/fit_options.h\" is of trelvane_fitting_common, which trelvane_curvefit_math may not use"
  "fitting/curve/curve_models.cpp|#include \"curve_fit_dialog.h\"|fitting/curve/curve_models.cpp: #include \"curve_fit_dialog.h\" is of trelvane_fit_curve, which trelvane_curvefit_math"
  "fitting/polynomial/polynomial_models.cpp|#include <GL/gl.h>|fitting/polynomial/polynomial_models.cpp: #include <GL/gl.h> is Qt or OpenGL, but trelvane_polyfit_math is plain C++"
  "fitting/common/fit_options.h|  #  include <GLES2/gl2.h>|fitting/common/fit_options.h: #include <GLES2/gl2.h> is Qt or OpenGL"
  "formula/cls6.h|#include <OpenGL/gl.h>|formula/cls6.h: #include <OpenGL/gl.h> is Qt or OpenGL"
  "state/globals.h|#include <QtCore/QString>|state/globals.h: #include <QtCore/QString> is Qt or OpenGL, but trelvane_state is plain C++"
  "fitting/curve/curve_models.h|#include <QString>|fitting/curve/curve_models.h: #include <QString> is Qt or OpenGL, but trelvane_curvefit_math"
  "fitting/curve/stray.h|#include <string>|fitting/curve/stray.h: in no library")
set(n 0)
foreach(c IN LISTS cases)
  string(REPLACE "|" ";" c "${c}")
  list(GET c 0 path)
  list(GET c 1 line)
  list(GET c 2 expected)
  math(EXPR n "${n} + 1")
  set(dir ${WORK}/case${n})
  write_tree(${dir})
  file(APPEND ${dir}/${path} "${line}\n")
  run_check(${dir} ${dir}/owners.cmake)
  string(FIND "${out}" "${expected}" at)
  if(rc EQUAL 0 OR at EQUAL -1)
    list(APPEND failures "${path} with '${line}': expected a failure saying '${expected}', got (exit ${rc}) ${out}")
  endif()
endforeach()

run_check(${REPO}/src ${OWNERS})
if(NOT rc EQUAL 0)
  list(APPEND failures "the real tree fails the check: ${out}")
endif()

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
