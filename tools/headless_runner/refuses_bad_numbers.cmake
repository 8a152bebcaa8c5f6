# The runner's numbers: each bad turn count or seed is refused with the usage line and exit status
# 2 before any turn is played; the largest seed and a count of 0 are played.
#   cmake -DRUNNER=<kvt_headless_runner> -DGAME=<start point> -P refuses_bad_numbers.cmake
# Arguments after the game, separated by "|".
set(refused
  "4294967297"                       # wraps round to 1 in an int
  "2147483648"
  "-1"
  "12abc"
  "abc"
  "+3"
  " 3"
  "3|--seed|abc"
  "3|--seed|18446744073709551616"    # one past the largest seed
  "3|--seed|-1"
  "3|--seed|7x"
  "3|--seed|")
foreach(case IN LISTS refused)
  string(REPLACE "|" ";" args "${case}")
  execute_process(COMMAND ${RUNNER} ${GAME} ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 2 OR NOT err MATCHES "usage:" OR NOT out STREQUAL "")
    message(SEND_ERROR "'${case}' was not refused: status ${status}, output '${out}', errors '${err}'")
  endif()
endforeach()
execute_process(COMMAND ${RUNNER} ${GAME} 0 --seed 18446744073709551615 RESULT_VARIABLE status OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "winner:")
  message(SEND_ERROR "no turns with the largest seed was refused: status ${status}, errors '${err}'")
endif()
