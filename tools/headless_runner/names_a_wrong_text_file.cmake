# A texts file that is no plain file (a named pipe) is named on standard error, and the run plays on
# without it rather than waiting for a writer that never comes.
#   cmake -DRUNNER=<kvt_headless_runner> -DGAME=<start point> -DFOLDER=<scratch folder> -P names_a_wrong_text_file.cmake
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
get_filename_component(name ${GAME} NAME_WE)
get_filename_component(source ${GAME} DIRECTORY)
file(COPY ${GAME} ${source}/${name}.KVM DESTINATION ${FOLDER})
execute_process(COMMAND mkfifo ${FOLDER}/KVT_ENG.TXT RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "mkfifo failed: ${made}")
endif()
execute_process(COMMAND ${RUNNER} ${FOLDER}/${name}.kvt 1 WORKING_DIRECTORY ${FOLDER} TIMEOUT 60
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT err MATCHES "The text file \"[^\"]*KVT_ENG.TXT\" is not a file."
   OR NOT out MATCHES "^1 [A-Z][a-z]+ [0-9]+ 186[0-9] [0-9a-f]+\n")
  message(SEND_ERROR "a named pipe for the texts went unnamed: status ${status}, output '${out}', errors '${err}'")
endif()
file(REMOVE_RECURSE ${FOLDER})
