# A run whose Autosave the disk refuses (a folder holds its name) says so, and why, on standard error
# and ends with exit status 4 after that turn, instead of playing on as if the games were kept.
#   cmake -DRUNNER=<kvt_headless_runner> -DGAME=<start point> -DFOLDER=<scratch folder> -P reports_a_failed_autosave.cmake
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER}/Autosave.KVT)
execute_process(COMMAND ${RUNNER} ${GAME} 3 WORKING_DIRECTORY ${FOLDER}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 4
   OR NOT err MATCHES "The Autosave failed: the game could not be saved as \"Autosave\" in \"[^\"]+\": \"Autosave.KVT\" is not a plain file\\."
   OR NOT out MATCHES "^1 [A-Z][a-z]+ [0-9]+ 186[0-9] [0-9a-f]+\nwinner: ")
  message(SEND_ERROR "a failed Autosave went unreported: status ${status}, output '${out}', errors '${err}'")
endif()
file(REMOVE_RECURSE ${FOLDER})
