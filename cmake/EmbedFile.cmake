# Writes the bytes of IN as `extern const unsigned char kAsset_<IDENT>[]` and its size into OUT.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "#include <cstddef>\nextern const unsigned char kAsset_${IDENT}[] = {\n${bytes}\n};\nextern const size_t kAsset_${IDENT}_size = ${size};\n")
