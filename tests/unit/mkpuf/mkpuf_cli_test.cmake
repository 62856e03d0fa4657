# mkpuf from the command line: synth, pack and inspect agree, and inspect reports a
# damaged container. Run with -DMKPUF=<tool> -DWORK_DIR=<scratch folder>.
file(MAKE_DIRECTORY ${WORK_DIR})
set(payload ${WORK_DIR}/payload.bin)
set(container ${WORK_DIR}/container.puf)

function(run expected_status expected_output)
    execute_process(COMMAND ${MKPUF} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "mkpuf ${ARGN}: status ${status}, expected ${expected_status}\n"
                            "${output}${errors}")
    endif()
    if(NOT output MATCHES "${expected_output}")
        message(FATAL_ERROR "mkpuf ${ARGN}: output\n${output}\ndoes not match\n"
                            "${expected_output}")
    endif()
endfunction()

run(0 "" synth 4321 12.5 600 ${payload})
file(SIZE ${payload} payload_size)
file(READ ${payload} header LIMIT 32 HEX)
string(HEX "PUF1004321                  12.5" expected_header)
if(NOT payload_size EQUAL 600 OR NOT header STREQUAL expected_header)
    message(FATAL_ERROR "synthetic payload: ${payload_size} bytes, header ${header}")
endif()

run(0 "" pack ${payload} ${container})
run(0 "container: 601 bytes\nsum check: passed\npayload: 600 bytes\nproduct code: 4321\nversion: 12.50 \\(1250\\)\n"
    inspect ${container})
# unpack gives back the payload byte for byte.
run(0 "" unpack ${container} ${WORK_DIR}/unpacked.bin)
file(SHA256 ${payload} payload_hash)
file(SHA256 ${WORK_DIR}/unpacked.bin unpacked_hash)
if(NOT payload_hash STREQUAL unpacked_hash)
    message(FATAL_ERROR "unpack did not give the packed payload back")
endif()

# A plain payload that is no PUF1 image still packs; inspect names the header.
file(WRITE ${payload} "not a firmware")
run(0 "" pack ${payload} ${container})
run(1 "sum check: passed\npayload: 14 bytes\nheader: no PUF1\n" inspect ${container})

# The payload itself is no container: its sum check fails.
run(1 "sum check: failed\n" inspect ${payload})
run(1 "" unpack ${payload} ${WORK_DIR}/unpacked.bin)

run(2 "" synth 1234567 2.80 600 ${payload})   # product code too long for its field
run(2 "" synth 70168 2.80 31 ${payload})      # shorter than a header
run(2 "" inspect ${WORK_DIR}/missing.puf)
run(2 "" frobnicate)
