# Installs the build into a fresh DESTDIR and checks every file lands where desktops and the
# program look for it. Run by CTest: cmake -DBUILD_DIR=... -DWORK_DIR=... -P install_check.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
set(ENV{DESTDIR} ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(root ${WORK_DIR}/usr)
set(expected
    bin/oxr-pump bin/oxr-pumpsim
    share/oxr-pump/oxrhelpd.rtf share/oxr-pump/oxrhelpe.rtf
    share/oxr-pump/oxr_logo_de.jpg share/oxr-pump/oxr_logo_en.jpg share/oxr-pump/pump.jpg
    share/oxr-pump/about_de.jpg share/oxr-pump/about_en.jpg share/oxr-pump/stop.jpg
    share/applications/oxr-pump.desktop
    share/icons/hicolor/64x64/apps/oxr-pump.png)
set(missing "")
foreach(f IN LISTS expected)
  if(NOT EXISTS ${root}/${f})
    list(APPEND missing ${f})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()

foreach(program oxr-pump oxr-pumpsim)
  file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${root}/bin/${program}
       UNRESOLVED_DEPENDENCIES_VAR unresolved)
  if(unresolved)
    message(FATAL_ERROR "${program} needs libraries that are not found: ${unresolved}")
  endif()
endforeach()

# The desktop entry starts the installed program by name and shows the installed icon.
file(STRINGS ${root}/share/applications/oxr-pump.desktop entry)
foreach(line "Exec=oxr-pump" "Icon=oxr-pump" "Type=Application")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "desktop entry lacks ${line}")
  endif()
endforeach()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${root}/share/applications/oxr-pump.desktop
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop entry invalid: ${out}")
  endif()
endif()
file(REMOVE_RECURSE ${WORK_DIR})
