# Writes a C++ source holding the bytes of IN as the array SYM.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" n)
math(EXPR size "${n} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" body "${body}")
file(WRITE ${OUT} "// Generated from ${IN}; do not edit.\n"
  "extern const unsigned char ${SYM}[];\nextern const unsigned int ${SYM}_size;\n"
  "const unsigned char ${SYM}[] = {\n${body}0};\nconst unsigned int ${SYM}_size = ${size};\n")
