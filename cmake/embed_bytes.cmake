# cmake -DINPUT=FILE -DOUTPUT=SOURCE -DNAME=ARRAY -DHEADER=HEADER -P embed_bytes.cmake
# writes the bytes of FILE as the definition of the array ARRAY that HEADER
# declares, sixteen bytes a line.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f], ){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}
    "// Generated at build time from ${INPUT}.\n"
    "#include \"${HEADER}\"\n\n"
    "extern const unsigned char ${NAME}[] = {\n    ${bytes}\n};\n")
