# Runs the picture tests with their grab folder set, fresh each time. Their verdict on cut texts is not
# the manual's concern: the manual tool itself refuses to run when a picture it shows is missing.
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ARIDANE_GRAB_DIR=${FOLDER} ${PICTURES} --gtest_brief=1
    RESULT_VARIABLE result
    OUTPUT_QUIET ERROR_QUIET)
if(NOT result EQUAL 0)
    message(STATUS "The picture tests reported faults (${result}); their pictures are used as taken")
endif()
