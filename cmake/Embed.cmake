# Turns a binary file into a C++ source defining `const std::string_view <name>` with its
# bytes, so the executable carries its resources inside and keeps working when copied.
# Run as a script: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P Embed.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n#include <string_view>\n"
  "namespace res {\nstatic const char ${NAME}_data[] = {\n${bytes}'\\0'};\n"
  "extern const std::string_view ${NAME}(${NAME}_data, ${size});\n}\n")
