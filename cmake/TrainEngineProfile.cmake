# Runs the instrumented tarvel-check over the training scripts: a generated script of ordinary
# code (another seed than the benchmarks use), the examples and the fuzz corpus. Whether each
# validates does not matter, only which paths of the engine the runs take and how often.

execute_process(COMMAND ${PYTHON} ${SOURCE}/bench/gen_script.py --seed 2 1048576
                        ${WORK}/training.c
                COMMAND_ERROR_IS_FATAL ANY)
file(GLOB examples ${SOURCE}/examples/*.c ${SOURCE}/examples/mistakes/*)
file(GLOB corpus ${SOURCE}/fuzz/corpus/*)
foreach(script ${WORK}/training.c ${examples} ${corpus})
  execute_process(COMMAND ${CHECKER} --no-log ${script} OUTPUT_QUIET ERROR_QUIET)
endforeach()
