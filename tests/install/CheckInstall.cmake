# Installs the build into a fresh prefix and checks that everything the
# program needs beside itself arrives, and that the installed runner works.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file
    bin/quorvel bin/quorvel-cli
    share/quorvel/help/inhalt.html share/quorvel/help/modellalgo.html share/quorvel/Praedkt.txt
    share/quorvel/examples/raeuber-beute.prg share/quorvel/examples/wachstum.txt
    share/applications/quorvel.desktop share/mime/packages/quorvel.xml
    share/icons/hicolor/scalable/apps/quorvel.svg)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(GLOB pictures ${PREFIX}/share/quorvel/ani/*)
if(NOT pictures)
  message(FATAL_ERROR "no animation pictures installed")
endif()

file(READ ${PREFIX}/share/applications/quorvel.desktop entry)
if(NOT entry MATCHES "Exec=quorvel %f" OR NOT entry MATCHES "MimeType=application/x-quorvel;")
  message(FATAL_ERROR "the desktop entry does not open documents")
endif()

execute_process(COMMAND ${PREFIX}/bin/quorvel-cli info ${PREFIX}/share/quorvel/examples/wachstum.prg
                RESULT_VARIABLE result OUTPUT_VARIABLE info ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT info MATCHES "\"Version\"")
  message(FATAL_ERROR "installed quorvel-cli cannot read an installed example: ${errors}")
endif()
execute_process(COMMAND ${PREFIX}/bin/quorvel-cli generate ${PREFIX}/share/quorvel/examples/wachstum-sprachlich.prg
                        --from verbal
                RESULT_VARIABLE result OUTPUT_VARIABLE program ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT program MATCHES "Bestand := Bestand \\+ Zuwachs")
  message(FATAL_ERROR "installed quorvel-cli does not find the installed predicates: ${errors}")
endif()
file(REMOVE_RECURSE ${PREFIX})
