# Profile-guided optimisation of the engine. A release build first builds an instrumented
# tarvel-check in a folder of its own, runs it over training scripts, and compiles the engine
# with the branch and call counts those runs measured: on a large script that takes about a
# tenth off the time.
# The profile is made again whenever an engine source changes, so it never describes old code.

set(tarvel_pgo_default OFF)
find_package(Python3 COMPONENTS Interpreter QUIET)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
   AND Python3_Interpreter_FOUND AND NOT TARVEL_SANITIZE AND NOT TARVEL_FUZZ)
  set(tarvel_pgo_default ON)
endif()
option(TARVEL_PGO "Optimise the engine with a profile of training runs (release builds)"
       ${tarvel_pgo_default})
# Set only by the training build that the profiled build configures for itself.
set(TARVEL_PGO_TRAINING_DIR "" CACHE PATH "Where an instrumented engine writes its profile")
mark_as_advanced(TARVEL_PGO_TRAINING_DIR)

# Profiles are named after the object files; naming them relative to each build folder lets
# the training build's profile be found by the objects of the build that uses it.
set(tarvel_profile_naming -fprofile-prefix-path=${PROJECT_BINARY_DIR})

if(TARVEL_PGO_TRAINING_DIR)
  target_compile_options(tarvel_engine PRIVATE -fprofile-generate=${TARVEL_PGO_TRAINING_DIR}
                         -fprofile-update=single ${tarvel_profile_naming})
  target_link_options(tarvel_engine INTERFACE -fprofile-generate=${TARVEL_PGO_TRAINING_DIR})
elseif(TARVEL_PGO)
  set(profile_dir ${PROJECT_BINARY_DIR}/engine-profile)
  set(training_build ${PROJECT_BINARY_DIR}/engine-profile-build)
  set(profiled ${profile_dir}/profiled.stamp)
  # A build step's own make gets no share of the outer build's jobs, so it is told how many,
  # and the outer make's job settings are kept from it.
  include(ProcessorCount)
  ProcessorCount(processors)
  if(processors EQUAL 0)
    set(processors 1)
  endif()
  file(GLOB_RECURSE engine_files CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/engine/*.cpp ${PROJECT_SOURCE_DIR}/engine/*.h)
  add_custom_command(
    OUTPUT ${profiled}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${profile_dir}
    COMMAND ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${training_build}
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
            -DCMAKE_CXX_FLAGS=${CMAKE_CXX_FLAGS} -DTARVEL_CLI_ONLY=ON -DTARVEL_PGO=OFF
            -DTARVEL_PGO_TRAINING_DIR=${profile_dir}
    COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MFLAGS
            ${CMAKE_COMMAND} --build ${training_build} --target tarvel-check
            --parallel ${processors}
    COMMAND ${CMAKE_COMMAND} -DCHECKER=${training_build}/cli/tarvel-check
            -DPYTHON=${Python3_EXECUTABLE} -DSOURCE=${PROJECT_SOURCE_DIR} -DWORK=${training_build}
            -P ${PROJECT_SOURCE_DIR}/cmake/TrainEngineProfile.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${profiled}
    DEPENDS ${engine_files} ${PROJECT_SOURCE_DIR}/cmake/TrainEngineProfile.cmake
            ${PROJECT_SOURCE_DIR}/bench/gen_script.py
    COMMENT "Profiling the engine on training scripts"
    VERBATIM)
  add_custom_target(tarvel_engine_profile DEPENDS ${profiled})
  add_dependencies(tarvel_engine tarvel_engine_profile)
  get_target_property(engine_sources tarvel_engine SOURCES)
  set_source_files_properties(${engine_sources} TARGET_DIRECTORY tarvel_engine
                              PROPERTIES OBJECT_DEPENDS ${profiled})
  # Partial training: code the training never reached is optimised as usual, not for size.
  target_compile_options(tarvel_engine PRIVATE -fprofile-use=${profile_dir}
                         -fprofile-partial-training ${tarvel_profile_naming})
endif()
