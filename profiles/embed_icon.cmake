# Writes the C++ source that carries the programs' icon "MAIN" inside them: the bytes of the
# generated bitmap, sixteen to a line.
#   cmake -DIN=<ICON/MAIN.BMP> -DOUT=<program_icon.cpp> -P embed_icon.cmake
file(READ "${IN}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUT}.tmp"
  "// Written by the build from the generated ICON/MAIN.BMP: the programs' icon resource.\n"
  "#include \"profiles/program_icon.h\"\n\n"
  "const unsigned char kProgramIcon[] = {\n    ${bytes}\n};\n"
  "const size_t kProgramIconSize = sizeof kProgramIcon;\n")
file(RENAME "${OUT}.tmp" "${OUT}")
